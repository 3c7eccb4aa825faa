#pragma once

#include "core/band.h"

namespace quorix::graph {

// What a slider bound to a curve point reports, read off the slider by the
// window: its raw value (a band's gain code, a filter's frequency index) and,
// on a band fader, its band.
struct SliderFields {
    float value = 250;
    core::Band band{};
};

} // namespace quorix::graph
