#include "skinned_progress_bar.h"

#include "skin_draw.h"

#include "core/rounding.h"

#include <QPainter>
#include <QRegion>

#include <algorithm>

namespace quorix::controls {

SkinnedProgressBar::SkinnedProgressBar(QWidget* parent) : QWidget(parent) {}

void SkinnedProgressBar::setValue(int value)
{
    m_value = std::min(value, m_maxValue);
    repaint();
}

void SkinnedProgressBar::setMaxValue(int maxValue)
{
    m_maxValue = maxValue;
    repaint();
}

QString SkinnedProgressBar::text() const
{
    if (m_showContent == 0)
        return QStringLiteral("正在同步数据, 请稍候...");
    const int percent = m_maxValue > 0 ? m_value * 100 / m_maxValue : 0;
    return QStringLiteral("执行保存, 完成%1%").arg(percent);
}

void SkinnedProgressBar::resizeEvent(QResizeEvent*)
{
    setMask(QRegion(0, 0, width() + 1, height() + 1));
}

void SkinnedProgressBar::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int w = width();
    const int h = height();
    p.setPen(QColor(255, 255, 0));
    p.drawLine(0, 0, w, 0);
    p.drawLine(0, 0, 0, h - 1);
    p.drawLine(w - 1, 0, w - 1, h - 1);
    p.drawLine(0, h - 1, w, h - 1);

    if (m_maxValue > 0 && m_value <= m_maxValue) {
        const int filled = core::RoundHalfEven(static_cast<double>(w) * m_value / m_maxValue);
        const double span = std::max(w - 3, 1);
        for (int i = 0; i <= filled - 3; ++i) {
            const int red = core::RoundHalfEven(255 - 255.0 * i / span);
            const int blue = core::RoundHalfEven(255.0 * i / span);
            p.setPen(QColor(std::clamp(red, 0, 255), 0, std::clamp(blue, 0, 255)));
            p.drawLine(1 + i, 1, 1 + i, h - 2);
        }
        p.setPen(QColor(192, 192, 192));
        for (int i = std::max(filled - 3, 1); i <= w - 4; ++i)
            p.drawLine(1 + i, 1, 1 + i, h - 2);
    }
    // White text with a dark shadow reads on the grey, the red and the blue alike.
    p.setFont(SkinFont(12, true));
    const QRectF box(w / 2.0 - 100, 3, 400, h);
    p.setPen(QColor(0, 0, 0, 200));
    p.drawText(box.translated(1, 1), Qt::AlignLeft | Qt::AlignTop, text());
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignLeft | Qt::AlignTop, text());
}

} // namespace quorix::controls
