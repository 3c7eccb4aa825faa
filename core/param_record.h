#pragma once

#include "band.h"

#include <cstdint>

namespace quorix::core {

enum class ParamClass : std::uint8_t { Plain = 0, EqBand = 1, HighPass = 2, LowPass = 3 };

// One processor parameter. The same record is the element of the store, of the
// loaded-file image and of the configuration file.
struct ParamRecord {
    ParamClass Class = ParamClass::Plain;
    std::int32_t Value = 0;
    Band band; // meaningful for equaliser bands only
    bool Defined = false;
    bool PerMode = false;

    bool operator==(const ParamRecord&) const = default;
};

} // namespace quorix::core
