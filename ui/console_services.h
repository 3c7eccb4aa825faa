#pragma once

#include <filesystem>
#include <string>

namespace quorix::core {
class DigitBuffer;
class ParamStore;
class ProcessorRecord;
class Scheduler;
class TuningDocument;
struct ViewState;
} // namespace quorix::core

namespace quorix::link {
class DeviceLink;
class LinkHost;
} // namespace quorix::link

namespace quorix::sim {
class SimUsbPort;
class VirtualProcessor;
} // namespace quorix::sim

namespace quorix::ui {

// What the windows use of the process-wide objects. The application's
// composition root provides it; the windows never build these themselves.
class ConsoleServices {
public:
    virtual ~ConsoleServices() = default;
    virtual core::Scheduler& scheduler() = 0;
    // For reading: every change goes through the document.
    virtual const core::ParamStore& store() const = 0;
    // The one writer of the store, and what the processor is known to hold.
    virtual core::TuningDocument& document() = 0;
    virtual core::ProcessorRecord& record() = 0;
    // The image a loaded file or a comparison read passes through.
    virtual core::ParamStore& image() = 0;
    virtual core::ViewState& view() = 0;
    // Password digits on their way to the processor.
    virtual core::DigitBuffer& digits() = 0;
    // A main window loads: the store, its image, the record, the view and the undo
    // history start from the defaults; the link keeps its state.
    virtual void startAfresh() = 0;
    virtual link::DeviceLink& link() = 0;
    // Null when the console runs against USB hardware.
    virtual sim::VirtualProcessor* processor() = 0;
    virtual sim::SimUsbPort* simulatorPort() = 0;
    // Where configuration files are kept: the file dialogs start here and the exit dialog saves here.
    virtual const std::filesystem::path& modeFolder() const = 0;
    // The loaded main window receives what the link does to the screen; null: nobody.
    virtual void setHost(link::LinkHost* host) = 0;
    // Whichever main window is loaded, as the link's screen.
    virtual link::LinkHost& screen() = 0;
    // Writes the support bundle (versions, devices, the always-on trace, the
    // link's counters, the configurations on screen and last read, the options)
    // to `path`; returns why it failed, or an empty text.
    virtual std::string saveSupportBundle(const std::filesystem::path& path) = 0;
};

} // namespace quorix::ui
