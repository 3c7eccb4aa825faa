#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace quorix::core {

// Every float-to-integer conversion of the console takes the nearest integer,
// ties to the even neighbour; values beyond the 32-bit range saturate.
inline std::int32_t RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    const double r = value - std::remainder(value, 1.0);
    constexpr double kLo = std::numeric_limits<std::int32_t>::min();
    constexpr double kHi = std::numeric_limits<std::int32_t>::max();
    if (r <= kLo)
        return std::numeric_limits<std::int32_t>::min();
    if (r >= kHi)
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(r);
}

} // namespace quorix::core
