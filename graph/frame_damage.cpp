#include "frame_damage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quorix::graph {

void FrameDamage::restore(const QImage& below, QImage& frame)
{
    const bool sameShape = frame.size() == below.size() && frame.format() == below.format();
    if (m_whole || !sameShape) {
        frame = below.copy();
    } else {
        for (std::size_t band = 0; band < m_bands.size(); ++band) {
            const Range r = m_bands[band];
            if (r.first > r.last)
                continue;
            const int top = static_cast<int>(band) * kBandRows;
            const int bottom = std::min(top + kBandRows, below.height());
            const std::size_t bytes = (static_cast<std::size_t>(r.last - r.first) + 1) * 4;
            for (int row = top; row < bottom; ++row)
                std::memcpy(frame.scanLine(row) + r.first * 4, below.constScanLine(row) + r.first * 4, bytes);
        }
    }
    m_whole = false;
    m_ratio = frame.devicePixelRatio();
    m_width = frame.width();
    m_height = frame.height();
    m_bands.assign(static_cast<std::size_t>((m_height + kBandRows - 1) / kBandRows), Range{m_width, -1});
}

void FrameDamage::add(const QRectF& logical)
{
    const int left = std::max(0, static_cast<int>(std::floor(logical.left() * m_ratio)) - 1);
    const int right = std::min(m_width - 1, static_cast<int>(std::ceil(logical.right() * m_ratio)) + 1);
    const int top = std::max(0, static_cast<int>(std::floor(logical.top() * m_ratio)) - 1);
    const int bottom = std::min(m_height - 1, static_cast<int>(std::ceil(logical.bottom() * m_ratio)) + 1);
    if (left > right || top > bottom)
        return;
    for (int band = top / kBandRows; band <= bottom / kBandRows; ++band) {
        Range& r = m_bands[static_cast<std::size_t>(band)];
        r.first = std::min(r.first, left);
        r.last = std::max(r.last, right);
    }
}

} // namespace quorix::graph
