#pragma once

#include "curve_point.h"

#include "core/param_store.h"
#include "core/view_state.h"

#include <functional>
#include <utility>
#include <vector>

namespace quorix::graph {

struct PagePoints {
    std::vector<CurvePoint> points;
    bool locked = false; // automatic mode control holds the page's mode-dependent bands
};

// First and last flat address the graph shows for the page in view; the
// effects page shows one of its three thirds.
std::pair<int, int> GraphAddressRange(int currentKind, int effectsSubPage);

// The curve points of the page in view, from the store: bands first, then
// high-pass, then low-pass filters. `sliderFor` names the slider bound to an
// address (-1 for none).
PagePoints BuildCurvePoints(const core::ParamStore& store, const core::ViewState& view,
                            const std::function<int(int address)>& sliderFor);

} // namespace quorix::graph
