#include "slider_geometry.h"

#include "core/rounding.h"

#include <algorithm>
#include <cmath>

namespace quorix::controls {

namespace {

SliderGeometry Horizontal(int width, int height, double x, double y, int textX, int textY, int field)
{
    SliderGeometry g;
    g.width = width;
    g.height = height;
    g.thumbWidth = 15;
    g.thumbHeight = 22;
    g.originX = x;
    g.originY = y;
    g.length = 122;
    g.textX = textX;
    g.textY = textY;
    g.textField = field;
    return g;
}

} // namespace

SliderGeometry GeometryFor(FaderKind kind, int hScrollSize, int eqNormalStyle)
{
    SliderGeometry g;
    switch (kind) {
    case FaderKind::Level:
    case FaderKind::LevelPlain:
        g = {74, 180, 18, 22, 24, 26, 123, kind == FaderKind::Level ? 30 : 23, 160, 2, true, false};
        break;
    case FaderKind::Band:
        g = {43, 178 + 46 * eqNormalStyle, 24, 16, 16, 18, 95.0 + 27 * eqNormalStyle, 0, 0, 0, true, false};
        break;
    case FaderKind::Horizontal:
    case FaderKind::HorizontalBoxed:
    case FaderKind::HorizontalPlain: {
        const int variant = std::clamp(hScrollSize, 0, 4);
        static constexpr int kWidths[] = {150, 150, 170, 180, 170};
        static constexpr int kHeights[] = {40, 40, 30, 26, 30};
        static constexpr int kTextX[] = {72, 43, 143, 154, 143};
        static constexpr int kTextY[] = {1, 1, 4, 4, 4};
        const double x = variant <= 1 ? 12 : 7;
        const double y = variant <= 1 ? 16 : 2;
        g = Horizontal(kWidths[variant], kHeights[variant], x, y, kTextX[variant], kTextY[variant], 3);
        if (kind == FaderKind::HorizontalBoxed) {
            g.width = 184;
            g.height = 25;
            g.textField = 6;
        } else if (kind == FaderKind::HorizontalPlain) {
            g.width = 174;
            g.height = 25;
            g.textField = 6;
        }
        break;
    }
    case FaderKind::HorizontalCompact:
        g = Horizontal(124, 42, 8, 18, 64, 2, 3);
        g.length = 110;
        break;
    case FaderKind::Knob:
        g.width = 127;
        g.height = 167;
        g.knob = true;
        g.textX = 45;
        g.textY = 120;
        g.textField = 2;
        break;
    case FaderKind::Short:
        g = Horizontal(162, 28, 8, 2, 140, 6, 2);
        g.length = 120;
        break;
    }
    return g;
}

double ThumbCoordinate(const SliderGeometry& g, int position, int maxValue)
{
    const double max = std::max(maxValue, 1);
    if (g.vertical)
        return (max - position) * g.length / max + g.originY;
    return position * g.length / max + g.originX;
}

double KnobAngle(int position, int maxValue)
{
    return std::fmod(position * 266.0 / std::max(maxValue, 1) - 133.0, 360.0);
}

int PositionAt(const SliderGeometry& g, double coordinate, int maxValue)
{
    const double along = g.vertical ? maxValue - maxValue * (coordinate - g.originY) / g.length
                                    : maxValue * (coordinate - g.originX) / g.length;
    return std::clamp(core::RoundHalfEven(along), 0, maxValue);
}

BandRows BandRowsFor(int s)
{
    return {125.0 + 33 * s, 139.0 + 33 * s, 138.0 + 36 * s, 152.0 + 36 * s,
            151.0 + 39 * s, 165.0 + 39 * s, 166.0 + 42 * s, 177.0 + 42 * s};
}

} // namespace quorix::controls
