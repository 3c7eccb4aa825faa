#pragma once

#include <cstdint>

namespace quorix::core {

// One equaliser band as the processor holds it. The store's record, a graph
// point, a band fader and a fitted filter all carry this one type.
struct Band {
    std::uint8_t shape = 0;       // 0 peaking, 1 low shelf, 2 high shelf
    std::int32_t freqIndex = 0;   // index into the frequency table
    std::int32_t gain = 0;        // tenths of a dB plus 250
    std::int32_t qIndex = 0;      // peaking Q index
    std::int32_t shelfQIndex = 0; // shelf slope, as a Q index
    bool bandOff = false;

    bool operator==(const Band&) const = default;
};

} // namespace quorix::core
