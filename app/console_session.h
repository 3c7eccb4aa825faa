#pragma once

#include "ui/console_services.h"

#include "link/device_link.h"
#include "link/hid_device.h"
#include "link/null_link_host.h"

#include "core/digit_buffer.h"
#include "core/param_store.h"
#include "core/scheduler.h"
#include "core/view_state.h"

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

namespace quorix::sim {
class SimUsbPort;
class VirtualProcessor;
} // namespace quorix::sim

namespace quorix::app {

// What lives for the whole process, beside the windows: the store and its
// loaded-file image, the view state, the device link and, without hardware,
// the virtual processor. The link talks to whichever main window is loaded
// through this object; with none loaded it talks to nobody.
class ConsoleSession final : public ui::ConsoleServices, public link::LinkHost {
public:
    struct Options {
        bool simulator = false;
        std::ostream* trace = nullptr;
        // The virtual processor's memory: loaded from here when the file exists, saved here at the end.
        std::filesystem::path simulatorMemory{};
        // Where configuration files are kept: the file dialogs start here and the exit dialog saves here.
        std::filesystem::path modeFolder{};
    };

    ConsoleSession(core::Scheduler& scheduler, std::unique_ptr<link::HidBackend> hardware, Options options);
    ~ConsoleSession() override;

    core::Scheduler& scheduler() override { return m_scheduler; }
    const std::filesystem::path& modeFolder() const override { return m_modeFolder; }
    core::ParamStore& store() override { return m_store; }
    core::ParamStore& image() override { return m_image; }
    core::ViewState& view() override { return m_view; }
    core::DigitBuffer& digits() override { return m_digits; }
    link::DeviceLink& link() override { return *m_link; }
    sim::VirtualProcessor* processor() override { return m_processor.get(); }
    sim::SimUsbPort* simulatorPort() override { return m_port.get(); }

    // What went wrong with the virtual processor's memory file; empty when nothing did.
    const std::string& memoryProblem() const { return m_memoryProblem; }

    void setHost(link::LinkHost* host) override { m_host = host ? host : &m_nobody; }
    link::LinkHost& screen() override { return *this; }

private:
    void setConnectionStatus(int value) override { m_host->setConnectionStatus(value); }
    void setCaption(std::string_view caption) override { m_host->setCaption(caption); }
    void showMessage(std::string_view text, link::MessageIcon icon) override { m_host->showMessage(text, icon); }
    void setWindowEnabled(bool enabled) override { m_host->setWindowEnabled(enabled); }
    void showProgress(bool visible) override { m_host->showProgress(visible); }
    void setProgress(int value, int maximum) override { m_host->setProgress(value, maximum); }
    void RefreshControls() override { m_host->RefreshControls(); }
    void ApplyDeviceVariant(bool flag) override { m_host->ApplyDeviceVariant(flag); }
    void setToneLabel(int value) override { m_host->setToneLabel(value); }
    void closeRecordingWindow() override { m_host->closeRecordingWindow(); }
    void setMasterMaxima(int music, int microphone, int effect) override
    {
        m_host->setMasterMaxima(music, microphone, effect);
    }
    void showPreset(int preset) override { m_host->showPreset(preset); }
    void modeStateLoaded() override { m_host->modeStateLoaded(); }
    void resetUndo() override { m_host->resetUndo(); }
    void linkTicked() override { m_host->linkTicked(); }
    void synchronised(bool ok) override { m_host->synchronised(ok); }

    core::Scheduler& m_scheduler;
    core::ParamStore m_store;
    core::ParamStore m_image;
    core::ViewState m_view;
    core::DigitBuffer m_digits;
    std::unique_ptr<sim::VirtualProcessor> m_processor;
    std::unique_ptr<sim::SimUsbPort> m_port;
    std::unique_ptr<link::HidBackend> m_hardware;
    link::NullLinkHost m_nobody;
    link::LinkHost* m_host = &m_nobody;
    std::unique_ptr<link::DeviceLink> m_link;
    std::filesystem::path m_memoryFile;
    std::filesystem::path m_modeFolder;
    std::string m_memoryProblem;
};

} // namespace quorix::app
