#include "app_icon.h"

#include "skin_style.h"

#include <QLinearGradient>

namespace skingen {

namespace {

// The response curve: a low shelf dipping into a bell that rises to the marker.
QPainterPath Curve()
{
    QPainterPath curve(QPointF(40, 150));
    curve.cubicTo(QPointF(70, 150), QPointF(78, 172), QPointF(104, 172));
    curve.cubicTo(QPointF(130, 172), QPointF(140, 92), QPointF(164, 92));
    curve.cubicTo(QPointF(188, 92), QPointF(196, 136), QPointF(216, 136));
    return curve;
}

QPen Pen(const QColor& colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

std::vector<IconLayer> AppIcon()
{
    using namespace palette;
    std::vector<IconLayer> layers;

    QPainterPath tile;
    tile.addRoundedRect(QRectF(12, 12, 232, 232), 52, 52);
    QLinearGradient face(QPointF(0, 12), QPointF(0, 244));
    face.setColorAt(0, kRaised.lighter(125));
    face.setColorAt(1, kBase);
    layers.push_back({tile, face, Pen(kEdge, 6)});

    QPainterPath grid;
    for (const qreal y : {92.0, 132.0, 172.0}) {
        grid.moveTo(40, y);
        grid.lineTo(216, y);
    }
    layers.push_back({grid, Qt::NoBrush, Pen(kEdge.lighter(130), 5)});

    QPainterPath area = Curve();
    area.lineTo(216, 204);
    area.lineTo(40, 204);
    area.closeSubpath();
    QLinearGradient glow(QPointF(0, 92), QPointF(0, 204));
    glow.setColorAt(0, QColor(kSinging.red(), kSinging.green(), kSinging.blue(), 150));
    glow.setColorAt(1, QColor(kSinging.red(), kSinging.green(), kSinging.blue(), 0));
    layers.push_back({area, glow});

    layers.push_back({Curve(), Qt::NoBrush, Pen(kSinging.lighter(115), 14)});

    QPainterPath marker;
    marker.addEllipse(QPointF(164, 92), 22, 22);
    layers.push_back({marker, kDance, Pen(kText, 7)});
    return layers;
}

} // namespace skingen
