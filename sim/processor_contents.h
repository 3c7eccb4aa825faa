#pragma once

#include "processor_memory.h"
#include "request_rules.h"

#include <array>
#include <string>

namespace quorix::sim {

// Everything the processor keeps across a power cycle: the working settings it
// runs, its eight presets, the preset in use, its model variant and passwords.
struct ProcessorContents {
    ProcessorMemory working;
    std::array<ProcessorMemory, kPresetCount> presets;
    int current = 0;
    char variant = '1';
    std::string lockPassword = "0000";
    std::string rightsPassword = "000000";

    bool operator==(const ProcessorContents&) const = default;
};

} // namespace quorix::sim
