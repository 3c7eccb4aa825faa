#pragma once

#include "band.h"

#include <cstdint>

namespace quorix::core {

enum class ParamClass : std::uint8_t { Plain = 0, EqBand = 1, HighPass = 2, LowPass = 3 };

// One processor parameter. The same record is the element of the store, of the
// loaded-file image and of the configuration file.
struct ParamRecord {
    ParamClass paramClass = ParamClass::Plain;
    std::int32_t value = 0;
    Band band; // meaningful for equaliser bands only
    bool defined = false;
    bool perMode = false;

    bool operator==(const ParamRecord&) const = default;
};

} // namespace quorix::core
