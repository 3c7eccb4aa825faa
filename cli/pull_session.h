#pragma once

#include "link/hid_device.h"

#include "core/scheduler.h"

#include <cstdint>
#include <filesystem>
#include <ostream>

namespace quorix::cli {

struct PullSettings {
    std::filesystem::path output;  // the configuration file to write
    std::ostream* trace = nullptr; // the protocol trace, when asked for
    std::int64_t searchLimitMs = 5000;
    bool simulator = false; // only changes the hint when nothing answers
};

// Finds the processor through `backend`, synchronises with it on `scheduler`
// and saves everything it read. Progress and errors go to `err`, the result
// line to `out`. Returns the exit code: 0 saved, 1 nothing answered, the
// synchronisation failed, the trace could not be written or the file could
// not be written (then no file is written).
int PullConfiguration(link::HidBackend& backend, core::Scheduler& scheduler, const PullSettings& settings,
                      std::ostream& out, std::ostream& err);

} // namespace quorix::cli
