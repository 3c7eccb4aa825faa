#pragma once

#include <QImage>
#include <QRectF>

#include <vector>

namespace quorix::graph {

// Where the last frame drew over the layer below it, as one column range per band
// of rows. The next frame restores only those pixels from the layer below instead
// of copying the whole image (8 MB at 1920 × 1080, most of it unchanged).
class FrameDamage {
public:
    static constexpr int kBandRows = 16;

    // Everything must be restored (a new layer below, a new size).
    void invalidate() { m_whole = true; }
    // Makes `frame` equal to `below` wherever the last frame drew, then starts a new record.
    void restore(const QImage& below, QImage& frame);
    // The next frame draws over this rectangle (logical pixels).
    void add(const QRectF& logical);
    // The next frame draws over column x of rows top..bottom (logical pixels; in any order).
    void addColumn(double x, double top, double bottom)
    {
        add(QRectF(x - 1, std::min(top, bottom) - 3, 3, std::abs(bottom - top) + 6));
    }

private:
    struct Range {
        int first;
        int last;
    };
    std::vector<Range> m_bands;
    bool m_whole = true;
    double m_ratio = 1;
    int m_width = 0;
    int m_height = 0;
};

} // namespace quorix::graph
