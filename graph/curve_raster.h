#pragma once

#include <QColor>
#include <QImage>

namespace quorix::graph {

// Anti-aliased curves drawn straight into an ARGB32-premultiplied image, one
// column span at a time. A curve has one y (logical pixels) per logical column
// from x0; the image may have any device pixel ratio. QPainter's anti-aliased
// wide pens cost several milliseconds per curve at this size; spans cost a few
// microseconds and look the same for curves of this shape.
void StrokeCurve(QImage& image, const float* ys, int count, float x0, float width, const QColor& colour);
// Fills between the curve and a horizontal baseline (the fading area fills).
void FillCurveToBaseline(QImage& image, const float* ys, int count, float x0, float baseline, const QColor& colour);

} // namespace quorix::graph
