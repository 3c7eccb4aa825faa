#pragma once

#include "watched_port.h"

#include "presets/configuration_files.h"
#include "presets/preset_commands.h"
#include "presets/processor_comparison.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/device_link.h"
#include "link/link_host.h"

#include "core/busy_indicator.h"
#include "core/manual_scheduler.h"
#include "core/processor_record.h"
#include "core/prompter.h"
#include "core/tuning_document.h"

#include <filesystem>
#include <functional>
#include <span>

namespace quorix::soak {

// The console's core, without a window, against the virtual processor in
// virtual time: the store and its tuning document, the processor record, the
// link, the preset and file flows, and the comparison that also runs the
// reconnection. Everything the
// soak's user does and everything its checks ask goes through here, so this
// is the one file that changes when the console's core does.
class SoakConsole final : private link::LinkHost,
                          private core::Prompter,
                          private core::BusyIndicator,
                          private core::StoreTaker {
public:
    struct Events {
        std::function<void(const link::LinkReport&)> report;
        // An output report the port took, and whether the link called itself online then.
        std::function<void(std::span<const std::uint8_t> report, bool online)> written;
        // How a comparison that listed copies is answered: which rows stay
        // chosen, then true to write the screen, false to take the processor's values.
        std::function<bool(presets::ProcessorComparison& comparison)> answer;
    };

    explicit SoakConsole(Events events);
    ~SoakConsole() override;

    core::ManualScheduler& clock() { return m_clock; }
    sim::VirtualProcessor& processor() { return m_processor; }
    sim::SimUsbPort& port() { return m_port; }
    const core::ParamStore& store() const { return m_store; }
    const core::ViewState& view() const { return m_view; }
    const link::DeviceLink& link() const { return m_link; }

    // What the user does.
    void edit(int address, core::ParamEditor::UndoStep step, const core::ParamEditor::Change& change);
    void undo();
    void redo();
    void switchMode(int mode);
    void copyMode();
    // Reads the processor, lists the copies and answers; false offline or when the read failed.
    bool compare();
    bool openFile(const std::filesystem::path& path);
    bool recallPreset(int preset);
    bool storePreset(int userIndex);
    void chooseOffline();
    void chooseOnline();

    // Online, nothing on the wire or waiting to go, no transfer under way.
    bool settled() const;
    // A transfer or a waiting request holds the window disabled.
    bool windowDisabled() const { return m_transfers > 0 || m_link.replyWaitActive(); }
    // Whether the console has marked this copy as one the processor may not hold.
    bool marked(int mode, int address) const;

private:
    void report(const link::LinkReport& report) override;
    // The soak's user says yes to every question and reads no message.
    bool askYesNo(std::string_view) override { return true; }
    Answer askYesNoCancel(std::string_view) override { return Answer::Yes; }
    void showMessage(std::string_view, core::Severity) override {}
    std::optional<std::filesystem::path> askFile(const core::FileRequest&) override { return std::nullopt; }
    void setBusy(bool) override {}

    void synchronise(link::TransferDone done);
    // What the link reads goes into the store through the document, which the link is built before.
    void setCopy(int mode, int address, const core::ParamRecord& record) override
    {
        m_document.edits().setCopy(mode, address, record);
    }
    void answer();

    Events m_events;
    core::ManualScheduler m_clock;
    sim::VirtualProcessor m_processor;
    sim::SimUsbPort m_port{m_processor, m_clock};
    WatchedPort m_watched;
    core::ParamStore m_store;
    core::ParamStore m_image;
    core::ViewState m_view;
    core::DigitBuffer m_digits;
    core::ProcessorRecord m_record;
    link::DeviceLink m_link;
    core::TuningDocument m_document{m_store, m_view, m_link, m_clock};
    presets::ProcessorComparison m_comparison{m_link, m_document.edits(), m_view, m_record};
    presets::PresetCommands m_presets;
    presets::ConfigurationFiles m_files;
    int m_transfers = 0;
};

} // namespace quorix::soak
