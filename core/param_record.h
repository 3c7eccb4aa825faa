#pragma once

#include <cstdint>

namespace quorix::core {

enum class ParamClass : std::uint8_t { Plain = 0, EqBand = 1, HighPass = 2, LowPass = 3 };

// One processor parameter. The same record is the element of the store, of the
// loaded-file image and of the configuration file.
struct ParamRecord {
    ParamClass Class = ParamClass::Plain;
    std::int32_t Value = 0;
    std::uint8_t Shape = 0;
    std::int32_t FreqIndex = 0;
    std::int32_t Gain = 0;
    std::int32_t QIndex = 0;
    std::int32_t ShelfQIndex = 0;
    bool Defined = false;
    bool PerMode = false;
    bool BandOff = false;

    bool operator==(const ParamRecord&) const = default;
};

} // namespace quorix::core
