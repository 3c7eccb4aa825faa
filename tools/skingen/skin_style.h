#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QString>

// The look of the skin set: one dark audio-console palette and the few shapes
// every image is made of.
namespace skingen {

namespace palette {
inline const QColor kBase("#15181c");
inline const QColor kPanel("#1f2329");
inline const QColor kRaised("#2a3038");
inline const QColor kEdge("#3b434d");
inline const QColor kText("#e2e5e9");
inline const QColor kDim("#8b929b");
inline const QColor kSinging("#3d8bff");
inline const QColor kDance("#ff9526");
inline const QColor kGrey("#5b6169");
inline const QColor kRed("#e5484d");
inline const QColor kGreen("#46c46e");
inline const QColor kYellow("#ffc400");
} // namespace palette

enum class Look { Normal, Hover, Pressed, Selected, Disabled };

QFont UiFont(qreal pixelSize, bool bold = false);

void Panel(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom,
           const QColor& edge = palette::kEdge);
void Text(QPainter& p, const QRectF& r, const QString& text, qreal pixelSize, const QColor& colour, bool bold = false,
          int align = Qt::AlignCenter);
// A push button face with a caption; `accent` tints the selected and pressed looks.
void Button(QPainter& p, const QRectF& r, const QString& caption, Look look, const QColor& accent = palette::kSinging,
            qreal pixelSize = 13);
// A recessed slot (tracks, value boxes).
void Slot(QPainter& p, const QRectF& r, qreal radius);
// A lit bar of the given colour (level fills).
void Bar(QPainter& p, const QRectF& r, const QColor& colour, bool vertical);
// A slider thumb; `accent` colours its grip line.
void Thumb(QPainter& p, const QRectF& r, const QColor& accent, bool vertical);
// A round marker with a label, as the response graph shows its points.
void Marker(QPainter& p, const QRectF& r, const QString& label, const QColor& colour, bool selected);
void Arrow(QPainter& p, const QRectF& r, const QColor& colour, bool down);

} // namespace skingen
