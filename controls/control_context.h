#pragma once

#include "fader_marks.h"

#include "core/scheduler.h"

namespace quorix::controls {

// What a skinned control is given beside its own state: how its parameter is
// marked (greyed, mode-coloured, muted) and the scheduler for its timers.
struct ControlContext {
    const FaderMarksSource* marks = nullptr;
    core::Scheduler* scheduler = nullptr;
};

} // namespace quorix::controls
