#include "skin_cache.h"

#include <QString>

namespace quorix::controls {

SkinCache::SkinCache()
{
    for (int id = kFirstId; id <= kLastId; ++id) {
        Slot& slot = m_slots[static_cast<std::size_t>(id - kFirstId)];
        const QString base = QStringLiteral(":/skin/%1").arg(id);
        // A missing or undecodable file leaves the slot empty. Premultiplied pixels draw
        // fastest; the conversion is done in place, without a second image.
        slot.normal = QImage(base + ".png");
        slot.normal.convertTo(QImage::Format_ARGB32_Premultiplied);
        slot.doubled = QImage(base + "@2x.png");
        slot.doubled.convertTo(QImage::Format_ARGB32_Premultiplied);
        if (!slot.doubled.isNull())
            slot.doubled.setDevicePixelRatio(2.0);
    }
}

const SkinCache& SkinCache::instance()
{
    static const SkinCache kCache;
    return kCache;
}

const QImage* SkinCache::image(int id, qreal devicePixelRatio) const
{
    if (id < kFirstId || id > kLastId)
        return nullptr;
    const Slot& slot = m_slots[static_cast<std::size_t>(id - kFirstId)];
    if (devicePixelRatio > 1.0 && !slot.doubled.isNull())
        return &slot.doubled;
    return slot.normal.isNull() ? nullptr : &slot.normal;
}

QSize SkinCache::size(int id) const
{
    const QImage* img = image(id);
    return img ? img->size() : QSize();
}

int SkinCache::loadedCount() const
{
    int count = 0;
    for (const Slot& slot : m_slots)
        count += slot.normal.isNull() ? 0 : 1;
    return count;
}

} // namespace quorix::controls
