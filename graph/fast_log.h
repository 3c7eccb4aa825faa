#pragma once

#include <cstdint>
#include <cstring>

namespace quorix::graph {

// 10·log10 of a positive normal float, to within 1e-6 dB: the exponent from the
// bits, the mantissa reduced to [√½, √2) and an atanh series. Plain arithmetic
// without branches that matter, so a loop of it vectorises.
inline float FastDecibels(float x)
{
    std::uint32_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    std::int32_t exponent = static_cast<std::int32_t>((bits >> 23) & 0xFF) - 127;
    bits = (bits & 0x007FFFFFu) | 0x3F800000u; // mantissa in [1, 2)
    float m;
    std::memcpy(&m, &bits, sizeof m);
    const bool high = m > 1.41421356f;
    m = high ? m * 0.5f : m;
    exponent += high ? 1 : 0;
    const float s = (m - 1.0f) / (m + 1.0f);
    const float s2 = s * s;
    const float ln = 2.0f * s * (1.0f + s2 * (1.0f / 3 + s2 * (1.0f / 5 + s2 * (1.0f / 7))));
    constexpr float kLn2 = 0.69314718f;
    constexpr float kDecibelsPerNeper = 4.34294482f; // 10 / ln 10
    return kDecibelsPerNeper * (static_cast<float>(exponent) * kLn2 + ln);
}

} // namespace quorix::graph
