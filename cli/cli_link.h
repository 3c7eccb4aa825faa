#pragma once

#include "cli_host.h"

#include "link/device_link.h"
#include "link/link_workspace.h"

#include <cstdint>
#include <ostream>

namespace quorix::cli {

// The console's link without a window: its workspace (store, file image, view,
// record), and the device link reporting on the terminal.
class CliLink : public link::LinkWorkspace {
public:
    CliLink(link::HidBackend& backend, core::Scheduler& scheduler, std::ostream* trace, std::ostream& err);

    // Starts the link and waits until the processor answered and the first full
    // read ended; false (with the reason on `err`) when nothing answered within
    // the limit or the read failed.
    bool connect(std::int64_t searchLimitMs, bool simulator);

    link::DeviceLink& device() { return m_device; }
    // The always-on trace: what the support bundle holds.
    const link::TraceRing& traceRing() const { return m_ring; }

private:
    core::Scheduler& m_scheduler;
    std::ostream& m_err;
    CliHost m_host;
    link::TraceRing m_ring;
    link::DeviceLink m_device;
};

} // namespace quorix::cli
