#pragma once

#include "cli_host.h"

#include "link/device_link.h"

#include "core/digit_buffer.h"
#include "core/param_store.h"
#include "core/view_state.h"

#include <cstdint>
#include <ostream>

namespace quorix::cli {

// The console's link without a window: its store, file image and view, and the
// device link reporting on the terminal.
class CliLink {
public:
    CliLink(link::HidBackend& backend, core::Scheduler& scheduler, std::ostream* trace, std::ostream& err);

    // Starts the link and waits until the processor answered and the first full
    // read ended; false (with the reason on `err`) when nothing answered within
    // the limit or the read failed.
    bool connect(std::int64_t searchLimitMs, bool simulator);

    core::ParamStore store;
    core::ParamStore image;
    core::ViewState view;
    core::ProcessorRecord record;
    core::StoreCopies copies{store}; // no view shows the store: reads go straight in
    link::DeviceLink& device() { return m_device; }
    // The always-on trace: what the support bundle holds.
    const link::TraceRing& traceRing() const { return m_ring; }

private:
    core::Scheduler& m_scheduler;
    std::ostream& m_err;
    core::DigitBuffer m_digits;
    CliHost m_host;
    link::TraceRing m_ring;
    link::DeviceLink m_device;
};

} // namespace quorix::cli
