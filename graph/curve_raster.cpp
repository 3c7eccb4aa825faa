#include "curve_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quorix::graph {

namespace {

struct Premultiplied {
    std::uint32_t a, r, g, b; // 0..255, colour already multiplied by alpha
};

Premultiplied Premultiply(const QColor& c)
{
    const std::uint32_t a = static_cast<std::uint32_t>(c.alpha());
    return {a, static_cast<std::uint32_t>(c.red()) * a / 255, static_cast<std::uint32_t>(c.green()) * a / 255,
            static_cast<std::uint32_t>(c.blue()) * a / 255};
}

// Blends the colour at coverage 0..256 over one premultiplied pixel.
inline void Blend(std::uint32_t& pixel, const Premultiplied& c, std::uint32_t coverage)
{
    const std::uint32_t sa = c.a * coverage >> 8;
    if (sa == 0)
        return;
    const std::uint32_t inv = 255 - sa;
    const std::uint32_t da = pixel >> 24, dr = (pixel >> 16) & 0xFF, dg = (pixel >> 8) & 0xFF, db = pixel & 0xFF;
    const std::uint32_t a = sa + (da * inv + 127) / 255;
    const std::uint32_t r = (c.r * coverage >> 8) + (dr * inv + 127) / 255;
    const std::uint32_t g = (c.g * coverage >> 8) + (dg * inv + 127) / 255;
    const std::uint32_t b = (c.b * coverage >> 8) + (db * inv + 127) / 255;
    pixel = (std::min(a, 255u) << 24) | (std::min(r, 255u) << 16) | (std::min(g, 255u) << 8) | std::min(b, 255u);
}

// Covers rows top..bottom (device pixels, fractional) of one column.
void Span(QImage& image, int column, double top, double bottom, const Premultiplied& c)
{
    const int height = image.height();
    if (column < 0 || column >= image.width() || bottom <= 0 || top >= height || bottom <= top)
        return;
    top = std::max(top, 0.0);
    bottom = std::min(bottom, static_cast<double>(height));
    const int first = static_cast<int>(std::floor(top));
    const int last = static_cast<int>(std::ceil(bottom)) - 1;
    for (int row = first; row <= last; ++row) {
        const double covered = std::min(bottom, row + 1.0) - std::max(top, static_cast<double>(row));
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(row));
        Blend(line[column], c, static_cast<std::uint32_t>(covered * 256 + 0.5));
    }
}

// The curve's y (device pixels) at a logical x, interpolated between its points.
double CurveAt(const float* ys, int count, double t)
{
    t = std::clamp(t, 0.0, static_cast<double>(count - 1));
    const int i = std::min(static_cast<int>(t), count - 2);
    const double f = t - i;
    return ys[i] + (ys[i + 1] - ys[i]) * f;
}

} // namespace

void StrokeCurve(QImage& image, const float* ys, int count, float x0, float width, const QColor& colour)
{
    if (count < 2 || image.format() != QImage::Format_ARGB32_Premultiplied)
        return;
    const double ratio = image.devicePixelRatio();
    const Premultiplied c = Premultiply(colour);
    const double halfWidth = width * ratio / 2;
    const int firstColumn = static_cast<int>(std::floor(x0 * ratio));
    const int lastColumn = static_cast<int>(std::ceil((static_cast<double>(x0) + count - 1) * ratio));
    for (int column = firstColumn; column <= lastColumn; ++column) {
        const double left = CurveAt(ys, count, column / ratio - x0) * ratio;
        const double right = CurveAt(ys, count, (column + 1) / ratio - x0) * ratio;
        // A sloping stroke is thicker when cut vertically; steep runs are covered by their own span.
        const double slope = std::min(std::fabs(right - left), 1.7);
        const double half = halfWidth * std::sqrt(1 + slope * slope);
        Span(image, column, std::min(left, right) - half, std::max(left, right) + half, c);
    }
}

void FillCurveToBaseline(QImage& image, const float* ys, int count, float x0, float baseline, const QColor& colour)
{
    if (count < 2 || image.format() != QImage::Format_ARGB32_Premultiplied)
        return;
    const double ratio = image.devicePixelRatio();
    const Premultiplied c = Premultiply(colour);
    const double base = baseline * ratio;
    const int firstColumn = static_cast<int>(std::floor(x0 * ratio));
    const int lastColumn = static_cast<int>(std::ceil((static_cast<double>(x0) + count - 1) * ratio)) - 1;
    for (int column = firstColumn; column <= lastColumn; ++column) {
        const double y = CurveAt(ys, count, (column + 0.5) / ratio - x0) * ratio;
        Span(image, column, std::min(y, base), std::max(y, base), c);
    }
}

} // namespace quorix::graph
