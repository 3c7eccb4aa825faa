#include "skin_style.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace skingen {

QFont UiFont(qreal pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({"WenQuanYi Micro Hei", "Microsoft YaHei", "SimSun", "DejaVu Sans"});
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void Panel(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom, const QColor& edge)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(QPen(edge, 1));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void Text(QPainter& p, const QRectF& r, const QString& text, qreal pixelSize, const QColor& colour, bool bold,
          int align)
{
    p.setFont(UiFont(pixelSize, bold));
    p.setPen(colour);
    p.drawText(r, align, text);
}

void Button(QPainter& p, const QRectF& r, const QString& caption, Look look, const QColor& accent, qreal pixelSize)
{
    QColor top = palette::kRaised.lighter(115);
    QColor bottom = palette::kPanel;
    QColor edge = palette::kEdge;
    QColor text = palette::kText;
    switch (look) {
    case Look::Normal:
        break;
    case Look::Hover:
        top = top.lighter(125);
        edge = accent.darker(130);
        break;
    case Look::Pressed:
        top = palette::kPanel.darker(120);
        bottom = palette::kRaised;
        edge = accent;
        break;
    case Look::Selected:
        top = accent.lighter(110);
        bottom = accent.darker(160);
        edge = accent.lighter(130);
        text = QColor(Qt::white);
        break;
    case Look::Disabled:
        top = palette::kPanel;
        bottom = palette::kBase;
        text = QColor("#7d848c");
        break;
    }
    Panel(p, r, 4, top, bottom, edge);
    Text(p, r.translated(0, look == Look::Pressed ? 1 : 0), caption, pixelSize, text, look == Look::Selected);
}

void Slot(QPainter& p, const QRectF& r, qreal radius)
{
    Panel(p, r, radius, palette::kBase.darker(130), palette::kBase, QColor("#0b0d10"));
}

void Bar(QPainter& p, const QRectF& r, const QColor& colour, bool vertical)
{
    QLinearGradient g(r.topLeft(), vertical ? r.topRight() : r.bottomLeft());
    g.setColorAt(0, colour.darker(140));
    g.setColorAt(0.5, colour.lighter(115));
    g.setColorAt(1, colour.darker(140));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, 2, 2);
}

void Thumb(QPainter& p, const QRectF& r, const QColor& accent, bool vertical)
{
    Panel(p, r, 3, QColor("#e9edf2"), QColor("#9aa3ad"), QColor("#0b0d10"));
    p.setPen(QPen(accent, 2));
    const QPointF c = r.center();
    if (vertical)
        p.drawLine(QPointF(r.left() + 3, c.y()), QPointF(r.right() - 3, c.y()));
    else
        p.drawLine(QPointF(c.x(), r.top() + 3), QPointF(c.x(), r.bottom() - 3));
}

void Marker(QPainter& p, const QRectF& r, const QString& label, const QColor& colour, bool selected)
{
    const QRectF body = r.adjusted(1, 1, -1, -1);
    if (selected) {
        QRadialGradient glow(r.center(), r.width() / 2);
        glow.setColorAt(0.6, QColor(colour.red(), colour.green(), colour.blue(), 150));
        glow.setColorAt(1.0, QColor(colour.red(), colour.green(), colour.blue(), 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(r);
    }
    const QRectF disc = selected ? body.adjusted(5, 5, -5, -5) : body;
    p.setPen(QPen(QColor(255, 255, 255, selected ? 255 : 200), selected ? 2 : 1));
    p.setBrush(colour.darker(selected ? 110 : 130));
    p.drawEllipse(disc);
    Text(p, disc, label, disc.height() * (label.size() > 1 ? 0.5 : 0.62), Qt::white, true);
}

void Arrow(QPainter& p, const QRectF& r, const QColor& colour, bool down)
{
    QPainterPath path;
    if (down) {
        path.moveTo(r.left(), r.top());
        path.lineTo(r.right(), r.top());
        path.lineTo(r.center().x(), r.bottom());
    } else {
        path.moveTo(r.left(), r.bottom());
        path.lineTo(r.right(), r.bottom());
        path.lineTo(r.center().x(), r.top());
    }
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

} // namespace skingen
