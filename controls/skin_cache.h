#pragma once

#include <QImage>
#include <QSize>

#include <array>

namespace quorix::controls {

// Every skin image, decoded once per process from the executable's resources:
// ids 101 to 500, each at its own size and, where the set has it, at twice the
// size for high-DPI screens. An id without an image stays empty.
class SkinCache {
public:
    static constexpr int kFirstId = 101;
    static constexpr int kLastId = 500;

    // Decodes the whole set; the console keeps one for the whole process (instance()).
    SkinCache();
    // LoadSkinCache: the first call decodes the set, later calls return it.
    static const SkinCache& instance();

    // The image to draw on a device of this pixel ratio, or null when the id has none.
    const QImage* image(int id, qreal devicePixelRatio = 1.0) const;
    // Size in logical pixels; empty when the id has no image.
    QSize size(int id) const;
    int loadedCount() const;

private:
    struct Slot {
        QImage normal;
        QImage doubled;
    };
    std::array<Slot, kLastId - kFirstId + 1> m_slots;
};

inline const SkinCache& LoadSkinCache()
{
    return SkinCache::instance();
}

} // namespace quorix::controls
