#pragma once

#include "flow_host.h"
#include "preset_context.h"

namespace quorix::presets {

// Recall of the processor's eight presets and store into its five user presets.
class PresetCommands {
public:
    PresetCommands(PresetContext context, FlowHost& host) : m_context(context), m_host(host) {}

    // Preset 0..7 into the processor and the console; offline it says so. True when read whole.
    bool Recall(int preset);
    // The working settings into USER1..USER5 (userIndex 0..4); offline it says so. True when the
    // processor stored them.
    bool Store(int userIndex);

private:
    PresetContext m_context;
    FlowHost& m_host;
};

} // namespace quorix::presets
