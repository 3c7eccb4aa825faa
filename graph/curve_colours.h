#pragma once

#include "curve_point.h"

#include <array>

namespace quorix::graph {

struct Rgb {
    int red;
    int green;
    int blue;
};

// The colour of each curve slot; the skin's graph markers are drawn in the same colours.
inline constexpr std::array<Rgb, kMaxCurvePoints> kCurveColours = {{
    {82, 231, 51},
    {58, 139, 228},
    {192, 26, 230},
    {244, 33, 41},
    {88, 0, 248},
    {190, 255, 8},
    {27, 180, 255},
    {41, 255, 169},
    {108, 183, 94},
    {95, 138, 180},
    {162, 87, 182},
    {188, 84, 86},
    {111, 79, 191},
    {164, 198, 78},
    {84, 159, 194},
    {150, 100, 32},
    {244, 33, 41},
}};

} // namespace quorix::graph
