#pragma once

#include <QBrush>
#include <QPainterPath>
#include <QPen>

#include <vector>

namespace skingen {

// The application icon as a stack of filled and stroked shapes on a square of
// kIconUnits, so the same drawing gives every bitmap size and the SVG.
inline constexpr qreal kIconUnits = 256;

struct IconLayer {
    QPainterPath path;
    QBrush fill;             // Qt::NoBrush, a colour or a linear gradient
    QPen stroke = Qt::NoPen; // a colour and width, round caps and joins
};

std::vector<IconLayer> AppIcon();

} // namespace skingen
