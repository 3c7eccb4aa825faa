#include "plot_geometry.h"

#include "core/rounding.h"
#include "core/value_text.h"

#include <algorithm>
#include <cmath>

namespace quorix::graph {

PlotGeometry PlotGeometry::forSize(int width, int height)
{
    PlotGeometry g;
    g.width = width;
    g.height = height;
    g.right = width - 5;
    g.bottom = height - 8;
    g.points = width - 45 > 0 ? width - 45 : 0;
    g.perDecade = static_cast<float>(width - 45) / (std::log10(22000.0f) - 1.0f);
    g.zeroY = static_cast<std::int16_t>(core::RoundHalfEven((height - 18) * 16.0 / 43.0 + 10));
    return g;
}

float PlotGeometry::frequencyToX(float hertz) const
{
    return (std::log10(hertz) - 1.0f) * perDecade + kLeft;
}

float PlotGeometry::xToFrequency(float x) const
{
    return std::pow(10.0f, (x - kLeft) / perDecade + 1.0f);
}

float PlotGeometry::dbToY(float db) const
{
    return db * static_cast<float>(kTop - bottom) / 43.0f + zeroY;
}

float PlotGeometry::gainToY(std::int32_t gainCode) const
{
    const double db = core::GainDecibels(gainCode);
    if (db > 16)
        return kTop;
    if (db < -27)
        return static_cast<float>(bottom);
    return dbToY(static_cast<float>(db));
}

std::int32_t PlotGeometry::yToGain(float y) const
{
    float db;
    if (y < kTop)
        db = 16;
    else if (y > static_cast<float>(bottom))
        db = -27;
    else
        db = 43.0f * (zeroY - y) / static_cast<float>(std::max(bottom - kTop, 1));
    return core::RoundHalfEven(db * 10.0f + 250.0f);
}

double PlotGeometry::pointFrequency(int i) const
{
    return std::pow(10.0, i / static_cast<double>(perDecade) + 1.0);
}

} // namespace quorix::graph
