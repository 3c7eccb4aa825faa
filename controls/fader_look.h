#pragma once

#include "fader_input.h"
#include "fader_marks.h"

#include <QRectF>

class QColor;
class QPainter;
class QString;

namespace quorix::controls {

// How a skinned fader looks: the static layer (track, value box, background) is
// drawn once per background; the moving parts (fill, thumb, texts, buttons) over
// it at every paint, from the fader's state and its parameter's marks.
void PaintFaderStatic(QPainter& p, const FaderInput& fader, int labelId);
void PaintFaderMoving(QPainter& p, const FaderInput& fader, const FaderMarks& marks);

// The value box of a level fader, in its own pixels; empty for other kinds.
QRectF ValueBox(const FaderInput& fader);
// Draws a value text at its field position, narrowed and kept inside `box` when it would spill out of it.
void DrawBoxedText(QPainter& p, const QString& text, const QColor& colour, const SliderGeometry& g, const QRectF& box);

} // namespace quorix::controls
