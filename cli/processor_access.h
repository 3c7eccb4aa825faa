#pragma once

#include "cli_args.h"

#include "link/hid_device.h"

#include "core/scheduler.h"

#include <functional>
#include <ostream>

namespace quorix::cli {

// What a command that talks to a processor works with.
struct ProcessorRun {
    link::HidBackend& backend;
    core::Scheduler& scheduler;
    std::ostream* trace; // null unless --trace FILE
    bool simulator;
};

// Opens the --trace file, then the virtual processor in virtual time (--simulator,
// or --simulator-memory FILE whose memory it loads when FILE exists, and saves to
// FILE afterwards when `saveMemory`) or the processor on USB with a real clock,
// and runs `work` on it.
// With --device PATH only the device at PATH is used (see `quorix-cli list`).
// Returns work's exit code, or 1 when the trace or the memory file cannot be used.
int WithProcessor(const CliArgs& args, const char* command, bool saveMemory,
                  const std::function<int(const ProcessorRun&)>& work);

} // namespace quorix::cli
