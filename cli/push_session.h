#pragma once

#include "link/hid_device.h"

#include "core/param_store.h"
#include "core/scheduler.h"

#include <cstdint>
#include <optional>
#include <ostream>

namespace quorix::cli {

struct PushSettings {
    const core::ParamStore& configuration; // the file to apply, already loaded
    std::optional<int> preset;             // recalled first when given
    std::ostream* trace = nullptr;
    std::int64_t searchLimitMs = 5000;
    bool simulator = false;
};

// Applies a configuration as the console's open flow does: after the first
// synchronisation (and the recall of `preset`), a block write to the preset in
// use and a read-back; then compares what was read back with the file over
// what the transfer moves (the singing set and the processor-wide kinds) and
// prints the differences. Returns 0 when the processor holds the file, 1 when
// anything differs or failed.
int PushConfiguration(link::HidBackend& backend, core::Scheduler& scheduler, const PushSettings& settings,
                      std::ostream& out, std::ostream& err);

} // namespace quorix::cli
