#include "curve_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

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

// The pixels of an ARGB32-premultiplied image, taken once per curve: scanLine()
// checks for a shared copy on every call, which costs as much as the blend.
struct Pixels {
    std::uint32_t* bits;
    qsizetype stride; // in pixels
    int width;
    int height;

    explicit Pixels(QImage& image)
        : bits(reinterpret_cast<std::uint32_t*>(image.bits())), stride(image.bytesPerLine() / 4), width(image.width()),
          height(image.height())
    {}
};

// Covers rows top..bottom (device pixels, fractional) of one column, clipped to
// rows clipTop..clipBottom - 1; the rows inside are covered whole.
void Span(const Pixels& image, int column, double top, double bottom, const Premultiplied& c, int clipTop,
          int clipBottom)
{
    top = std::max(top, static_cast<double>(std::max(clipTop, 0)));
    bottom = std::min(bottom, static_cast<double>(std::min(clipBottom, image.height)));
    if (column < 0 || column >= image.width || bottom <= top)
        return;
    const int first = static_cast<int>(std::floor(top));
    const int last = static_cast<int>(std::ceil(bottom)) - 1;
    const auto coverage = [&](int row) {
        const double covered = std::min(bottom, row + 1.0) - std::max(top, static_cast<double>(row));
        return static_cast<std::uint32_t>(std::lround(covered * 256));
    };
    std::uint32_t* pixel = image.bits + first * image.stride + column;
    Blend(*pixel, c, coverage(first));
    if (last == first)
        return;
    for (int row = first + 1; row < last; ++row) {
        pixel += image.stride;
        Blend(*pixel, c, 256);
    }
    pixel += image.stride;
    Blend(*pixel, c, coverage(last));
}

void Span(const Pixels& image, int column, double top, double bottom, const Premultiplied& c)
{
    Span(image, column, top, bottom, c, 0, image.height);
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
    const Pixels pixels(image);
    const double halfWidth = width * ratio / 2;
    const int firstColumn = static_cast<int>(std::floor(x0 * ratio));
    const int lastColumn = static_cast<int>(std::ceil((static_cast<double>(x0) + count - 1) * ratio));
    for (int column = firstColumn; column <= lastColumn; ++column) {
        const double left = CurveAt(ys, count, column / ratio - x0) * ratio;
        const double right = CurveAt(ys, count, (column + 1) / ratio - x0) * ratio;
        // A sloping stroke is thicker when cut vertically; steep runs are covered by their own span.
        const double slope = std::min(std::fabs(right - left), 1.7);
        const double half = halfWidth * std::sqrt(1 + slope * slope);
        Span(pixels, column, std::min(left, right) - half, std::max(left, right) + half, c);
    }
}

void FillCurveToBaseline(QImage& image, const float* ys, int count, float x0, float baseline, const QColor& colour)
{
    if (count < 2 || image.format() != QImage::Format_ARGB32_Premultiplied)
        return;
    const double ratio = image.devicePixelRatio();
    const Premultiplied c = Premultiply(colour);
    const Pixels pixels(image);
    const double base = baseline * ratio;
    const int firstColumn = static_cast<int>(std::floor(x0 * ratio));
    const int lastColumn = static_cast<int>(std::ceil((static_cast<double>(x0) + count - 1) * ratio)) - 1;
    std::vector<double> curve;
    for (int column = firstColumn; column <= lastColumn; ++column)
        curve.push_back(CurveAt(ys, count, (column + 0.5) / ratio - x0) * ratio);
    // Band by band of rows, so the rows being blended stay in the cache while every column passes.
    constexpr int kBandRows = 32;
    for (int bandTop = 0; bandTop < pixels.height; bandTop += kBandRows)
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const double y = curve[static_cast<std::size_t>(column - firstColumn)];
            Span(pixels, column, std::min(y, base), std::max(y, base), c, bandTop, bandTop + kBandRows);
        }
}

} // namespace quorix::graph
