#pragma once

#include "core/param_store.h"
#include "core/view_state.h"

#include <string>

namespace quorix::graph {

// The curves of the page in view as a plot `width` pixels wide computes them:
// a header, then per graph point its frequency, each curve point's dB and the total.
std::string ResponseCsv(const core::ParamStore& store, const core::ViewState& view, int width);

} // namespace quorix::graph
