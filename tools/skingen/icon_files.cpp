#include "icon_files.h"

#include <QFile>
#include <QPainter>

namespace skingen {

namespace {

QString Number(qreal v)
{
    return QString::number(v, 'g', 6);
}

QString Colour(const QColor& c)
{
    return c.name(QColor::HexRgb);
}

// The colour attributes of an SVG element, e.g. fill="#ff9526" fill-opacity="0.5".
QString Paint(const QString& property, const QString& opacity, const QColor& c)
{
    QString out = QStringLiteral(" %1=\"%2\"").arg(property, Colour(c));
    if (c.alpha() != 255)
        out += QStringLiteral(" %1=\"%2\"").arg(opacity, Number(c.alphaF()));
    return out;
}

// A subpath that ends where it began is closed, so its stroke joins there too.
QString PathData(const QPainterPath& path)
{
    QStringList parts;
    QPointF start;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const bool lastOfSubpath = i + 1 == path.elementCount() || path.elementAt(i + 1).isMoveTo();
        switch (e.type) {
        case QPainterPath::MoveToElement:
            start = e;
            parts << QStringLiteral("M%1 %2").arg(Number(e.x), Number(e.y));
            break;
        case QPainterPath::LineToElement:
            parts << QStringLiteral("L%1 %2").arg(Number(e.x), Number(e.y));
            break;
        case QPainterPath::CurveToElement:
            parts << QStringLiteral("C%1 %2").arg(Number(e.x), Number(e.y));
            break;
        case QPainterPath::CurveToDataElement:
            parts << QStringLiteral("%1 %2").arg(Number(e.x), Number(e.y));
            break;
        }
        if (lastOfSubpath && !e.isMoveTo() && QPointF(e) == start)
            parts << QStringLiteral("Z");
    }
    return parts.join(' ');
}

QString Gradient(const QLinearGradient& g, const QString& id)
{
    QString out = QStringLiteral("  <linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" x1=\"%2\" y1=\"%3\" "
                                 "x2=\"%4\" y2=\"%5\">\n")
                      .arg(id, Number(g.start().x()), Number(g.start().y()), Number(g.finalStop().x()),
                           Number(g.finalStop().y()));
    for (const auto& [at, colour] : g.stops())
        out += QStringLiteral("    <stop offset=\"%1\"%2/>\n")
                   .arg(Number(at), Paint("stop-color", "stop-opacity", colour));
    return out + "  </linearGradient>\n";
}

} // namespace

QImage RenderIcon(const std::vector<IconLayer>& layers, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kIconUnits, size / kIconUnits);
    for (const IconLayer& layer : layers) {
        p.setBrush(layer.fill);
        p.setPen(layer.stroke);
        p.drawPath(layer.path);
    }
    p.end();
    return image;
}

QString IconSvg(const std::vector<IconLayer>& layers)
{
    QString defs;
    QString shapes;
    for (size_t i = 0; i < layers.size(); ++i) {
        const IconLayer& layer = layers[i];
        QString fill = QStringLiteral(" fill=\"none\"");
        if (const QGradient* g = layer.fill.gradient(); g && g->type() == QGradient::LinearGradient) {
            const QString id = QStringLiteral("g%1").arg(i);
            defs += Gradient(*static_cast<const QLinearGradient*>(g), id);
            fill = QStringLiteral(" fill=\"url(#%1)\"").arg(id);
        } else if (layer.fill.style() == Qt::SolidPattern) {
            fill = Paint("fill", "fill-opacity", layer.fill.color());
        }
        QString stroke;
        if (layer.stroke.style() != Qt::NoPen)
            stroke = Paint("stroke", "stroke-opacity", layer.stroke.color()) +
                     QStringLiteral(" stroke-width=\"%1\" stroke-linecap=\"round\" stroke-linejoin=\"round\"")
                         .arg(Number(layer.stroke.widthF()));
        shapes += QStringLiteral("  <path d=\"%1\"%2%3/>\n").arg(PathData(layer.path), fill, stroke);
    }
    const QString side = Number(kIconUnits);
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
               " <defs>\n%2 </defs>\n%3</svg>\n")
        .arg(side, defs, shapes);
}

bool WriteIconTheme(const std::vector<IconLayer>& layers, const QDir& root, const QString& name)
{
    for (const int size : kIconSizes) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        if (!root.mkpath(folder) || !RenderIcon(layers, size).save(root.filePath(folder + "/" + name + ".png")))
            return false;
    }
    if (!root.mkpath("hicolor/scalable/apps"))
        return false;
    QFile svg(root.filePath("hicolor/scalable/apps/" + name + ".svg"));
    return svg.open(QIODevice::WriteOnly | QIODevice::Truncate) && svg.write(IconSvg(layers).toUtf8()) >= 0;
}

} // namespace skingen
