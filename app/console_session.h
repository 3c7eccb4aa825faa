#pragma once

#include "ui/console_services.h"

#include "link/device_link.h"
#include "link/hid_device.h"
#include "link/null_link_host.h"

#include "core/digit_buffer.h"
#include "core/param_store.h"
#include "core/processor_record.h"
#include "core/scheduler.h"
#include "core/tuning_document.h"
#include "core/view_state.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quorix::sim {
class SimUsbPort;
class VirtualProcessor;
} // namespace quorix::sim

namespace quorix::app {

// What lives for the whole process, beside the windows: the store and its
// loaded-file image, the view state, the device link and, without hardware,
// the virtual processor. The link talks to whichever main window is loaded
// through this object; with none loaded it talks to nobody.
class ConsoleSession final : public ui::ConsoleServices, public link::LinkHost, private core::StoreTaker {
public:
    struct Options {
        bool simulator = false;
        std::ostream* trace = nullptr;
        // The virtual processor's memory: loaded from here when the file exists, saved here at the end.
        std::filesystem::path simulatorMemory{};
        // Where configuration files are kept: the file dialogs start here and the exit dialog saves here.
        std::filesystem::path modeFolder{};
        // For the support bundle: "quorix-console 1.2.0", the hidapi version and the command line.
        std::string program{};
        std::string hidapiVersion{};
        std::vector<std::string> commandLine{};
        // The always-on trace; off only where its cost is measured against the console without it.
        bool traceRing = true;
    };

    ConsoleSession(core::Scheduler& scheduler, std::unique_ptr<link::HidBackend> hardware, Options options);
    ~ConsoleSession() override;

    core::Scheduler& scheduler() override { return m_scheduler; }
    const std::filesystem::path& modeFolder() const override { return m_modeFolder; }
    const core::ParamStore& store() const override { return m_store; }
    core::ParamStore& image() override { return m_image; }
    core::TuningDocument& document() override { return *m_document; }
    core::ProcessorRecord& record() override { return m_record; }
    core::ViewState& view() override { return m_view; }
    core::DigitBuffer& digits() override { return m_digits; }
    void startAfresh() override;
    link::DeviceLink& link() override { return *m_link; }
    sim::VirtualProcessor* processor() override { return m_processor.get(); }
    sim::SimUsbPort* simulatorPort() override { return m_port.get(); }

    // What went wrong with the virtual processor's memory file; empty when nothing did.
    const std::string& memoryProblem() const { return m_memoryProblem; }

    // The host is shown how the connection stands at once, whatever it missed before.
    void setHost(link::LinkHost* host) override;
    link::LinkHost& screen() override { return *this; }
    std::string saveSupportBundle(const std::filesystem::path& path) override;

private:
    void report(const link::LinkReport& report) override;
    // What the link reads goes into the store through the document, which the link is built before.
    void setCopy(int mode, int address, const core::ParamRecord& record) override;

    core::Scheduler& m_scheduler;
    core::ParamStore m_store;
    core::ParamStore m_image;
    core::ViewState m_view;
    core::DigitBuffer m_digits;
    core::ProcessorRecord m_record;
    std::unique_ptr<sim::VirtualProcessor> m_processor;
    std::unique_ptr<sim::SimUsbPort> m_port;
    std::unique_ptr<link::HidBackend> m_hardware;
    link::NullLinkHost m_nobody;
    link::LinkHost* m_host = &m_nobody;
    link::HidBackend* m_backend = nullptr; // the hardware or the virtual processor's port
    link::TraceRing m_ring;
    std::unique_ptr<link::DeviceLink> m_link;
    std::unique_ptr<core::TuningDocument> m_document;
    std::optional<core::ParamStore> m_lastRead; // the store as the last complete read left it
    Options m_bundleFacts;
    std::filesystem::path m_memoryFile;
    std::filesystem::path m_modeFolder;
    std::string m_memoryProblem;
};

} // namespace quorix::app
