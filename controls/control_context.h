#pragma once

#include "core/param_store.h"
#include "core/scheduler.h"
#include "core/view_state.h"

namespace quorix::controls {

// What a skinned control reads beside its own state: the store and view state
// for its greyed, mode-coloured and muted looks, and the scheduler for its timers.
struct ControlContext {
    const core::ParamStore* store = nullptr;
    const core::ViewState* view = nullptr;
    core::Scheduler* scheduler = nullptr;
};

} // namespace quorix::controls
