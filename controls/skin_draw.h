#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QString>

namespace quorix::controls {

// The console's text style: the Song face where the system has it, a CJK sans otherwise.
QFont SkinFont(int pixelSize, bool bold = false);

// Draws image `id` with its top-left corner at (x, y), at its own size unless a
// width and height are given. A non-zero angle (360 counts as 0) rotates it
// about its own centre in its own box. A missing image draws nothing.
void DrawSkinImage(QPainter& p, int id, qreal x, qreal y, qreal angle = 0, qreal width = 0, qreal height = 0);
// The image placed at (x, y), drawn from its row `row` down (a level fill below a vertical thumb).
void DrawSkinImageFromRow(QPainter& p, int id, qreal x, qreal y, qreal row);
// The image placed at (x, y), drawn from its column 0 to `column` (a fill left of a horizontal thumb).
void DrawSkinImageToColumn(QPainter& p, int id, qreal x, qreal y, qreal column);
// Text at "x,y"; with a field width n > 0 it starts at x + (n - length) * 3, which
// centres texts of 6-pixel characters in a field of n characters.
void DrawSkinText(QPainter& p, const QString& text, const QColor& colour, const QString& position, int fieldWidth,
                  int pixelSize);

} // namespace quorix::controls
