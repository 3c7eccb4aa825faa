#pragma once

#include "preset_context.h"

#include "core/busy_indicator.h"
#include "core/prompter.h"

#include <functional>

namespace quorix::presets {

// Recall of the processor's eight presets and store into its five user presets.
class PresetCommands {
public:
    PresetCommands(PresetContext context, core::Prompter& prompter, core::BusyIndicator& busy)
        : m_context(context), m_prompter(prompter), m_busy(busy)
    {}

    // Both return at once and tell `done` the outcome; a refusal (offline, a guest)
    // is said and told before they return.
    // Preset 0..7 into the processor and the console; offline it says so. True when read whole.
    void recall(int preset, std::function<void(bool)> done = {});
    // The working settings into USER1..USER5 (userIndex 0..4); offline it says so. True when the
    // processor stored them.
    void store(int userIndex, std::function<void(bool)> done = {});

private:
    PresetContext m_context;
    core::Prompter& m_prompter;
    core::BusyIndicator& m_busy;
};

} // namespace quorix::presets
