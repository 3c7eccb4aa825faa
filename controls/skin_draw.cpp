#include "skin_draw.h"

#include "skin_cache.h"

#include <QPaintDevice>

#include <cmath>

namespace quorix::controls {

namespace {

const QImage* Image(QPainter& p, int id, bool scaledUp = false)
{
    const qreal ratio = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    return SkinCache::instance().image(id, scaledUp ? 2.0 : ratio);
}

} // namespace

QFont SkinFont(int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({"宋体", "SimSun", "WenQuanYi Micro Hei", "Microsoft YaHei", "DejaVu Sans"});
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void DrawSkinImage(QPainter& p, int id, qreal x, qreal y, qreal angle, qreal width, qreal height)
{
    const QSize natural = SkinCache::instance().size(id);
    if (natural.isEmpty())
        return;
    const qreal w = width > 0 ? width : natural.width();
    const qreal h = height > 0 ? height : natural.height();
    const QImage* image = Image(p, id, w > natural.width() || h > natural.height());
    if (std::fmod(angle, 360.0) == 0.0) {
        p.drawImage(QRectF(x, y, w, h), *image);
        return;
    }
    p.save();
    p.translate(x + w / 2, y + h / 2);
    p.rotate(angle);
    p.drawImage(QRectF(-w / 2, -h / 2, w, h), *image);
    p.restore();
}

void DrawSkinImageFromRow(QPainter& p, int id, qreal x, qreal y, qreal row)
{
    const QSize natural = SkinCache::instance().size(id);
    const qreal r = std::round(row);
    if (natural.isEmpty() || r >= natural.height())
        return;
    const QImage* image = Image(p, id);
    const qreal scale = image->devicePixelRatio();
    const qreal top = std::max<qreal>(0, r);
    p.drawImage(QRectF(x, y + top, natural.width(), natural.height() - top), *image,
                QRectF(0, top * scale, natural.width() * scale, (natural.height() - top) * scale));
}

void DrawSkinImageToColumn(QPainter& p, int id, qreal x, qreal y, qreal column)
{
    const QSize natural = SkinCache::instance().size(id);
    const qreal c = std::min<qreal>(std::round(column), natural.width());
    if (natural.isEmpty() || c <= 0)
        return;
    const QImage* image = Image(p, id);
    const qreal scale = image->devicePixelRatio();
    p.drawImage(QRectF(x, y, c, natural.height()), *image, QRectF(0, 0, c * scale, natural.height() * scale));
}

void DrawSkinText(QPainter& p, const QString& text, const QColor& colour, const QString& position, int fieldWidth,
                  int pixelSize)
{
    const auto parts = position.split(',');
    if (parts.size() != 2)
        return;
    qreal x = parts[0].toDouble();
    const qreal y = parts[1].toDouble();
    if (fieldWidth > 0)
        x += static_cast<qreal>((fieldWidth - text.size()) * 3);
    p.setFont(SkinFont(pixelSize));
    p.setPen(colour);
    p.drawText(QRectF(x, y, 400, pixelSize * 2), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

} // namespace quorix::controls
