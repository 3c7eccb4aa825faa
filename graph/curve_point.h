#pragma once

#include "core/band.h"

#include <cstdint>

namespace quorix::graph {

enum PointType : std::int32_t { EqBandPoint = 1, HighPassPoint = 2, LowPassPoint = 3 };

inline constexpr int kMaxCurvePoints = 17;

// One editable point of the response graph: an equaliser band or a filter of the page shown.
struct CurvePoint {
    core::Band band{.gain = 250}; // a filter uses only the frequency
    std::int32_t filterType = 0;  // a filter's type
    std::int32_t type = EqBandPoint;
    std::int32_t address = -1;     // flat address in the store
    std::int32_t sliderIndex = -1; // the slider bound to the point, -1 for none
    bool twoAddress = false;       // filter type at Address, frequency at Address + 1
    std::uint8_t slot = 0;         // column of the response table

    bool isFilter() const { return type != EqBandPoint; }
    // Address of the parameter a frequency edit writes.
    std::int32_t frequencyAddress() const { return twoAddress ? address + 1 : address; }
};

} // namespace quorix::graph
