#pragma once

#include "requested_filter.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorix::measure {

struct RefusedLine {
    int line = 0;
    std::string reason;
};

struct FilterText {
    std::vector<RequestedFilter> filters;
    std::vector<RefusedLine> refused;
    bool ok() const { return refused.empty(); }
};

// Reads the filter lists room-measurement tools export, one filter per line:
//   Filter 1: ON PK Fc 125 Hz Gain -4.5 dB Q 3.20
//   Filter 2: ON LS 12dB Fc 80 Hz Gain 6 dB      Filter 3: ON HSC Fc 8000 Hz Gain -3 dB Q 0.7
//   Filter 4: ON PK Fc 250 Hz Gain 3 dB BW Oct 1  (a bandwidth becomes the Q of that width)
// Lines that do not start with "Filter" and a colon (headers, notes, comments) are
// skipped, as are filters switched OFF or of type None; a decimal comma reads as a point.
// Any other line that cannot be read is refused with its number and a reason.
FilterText ParseFilterText(std::string_view text);

} // namespace quorix::measure
