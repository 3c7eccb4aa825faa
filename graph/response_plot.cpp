#include "response_plot.h"

#include "curve_colours.h"
#include "curve_raster.h"

#include "controls/skin_cache.h"
#include "controls/skin_draw.h"

#include "core/rounding.h"
#include "core/value_tables.h"
#include "core/value_text.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace quorix::graph {

namespace {

QColor SlotColour(int slot, int alpha)
{
    const Rgb c = kCurveColours[static_cast<std::size_t>(slot)];
    return QColor(c.red, c.green, c.blue, alpha);
}

void CopyPixels(const QImage& from, QImage& to)
{
    if (to.size() != from.size() || to.format() != from.format()) {
        to = from.copy();
        return;
    }
    std::memcpy(to.bits(), from.constBits(), static_cast<std::size_t>(from.sizeInBytes()));
    to.setDevicePixelRatio(from.devicePixelRatio());
}

std::optional<GraphEditor::EditKey> EditKeyOf(int qtKey)
{
    using Key = GraphEditor::EditKey;
    switch (qtKey) {
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Home:
        return Key::Home;
    case Qt::Key_End:
        return Key::End;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    default:
        return std::nullopt;
    }
}

} // namespace

ResponsePlot::ResponsePlot(DisplayLinks links, QWidget* parent)
    : QWidget(parent), m_display(links), m_editor(m_display, links)
{
    controls::LoadSkinCache();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_display.onGridChanged = [this] { drawGrid(); };
    m_display.onInactiveChanged = [this] { drawInactiveCurves(); };
    m_display.onFrame = [this] { drawFrame(); };
}

QImage ResponsePlot::layer() const
{
    const qreal ratio = devicePixelRatioF() * m_pictureScale;
    QImage image(size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    return image;
}

QImage ResponsePlot::picture(qreal scale)
{
    const auto redraw = [this] {
        drawGrid();
        drawInactiveCurves();
        drawFrame();
    };
    m_pictureScale = scale;
    redraw();
    QImage taken = m_frame.copy();
    m_pictureScale = 1;
    redraw();
    update();
    return taken;
}

void ResponsePlot::resizeEvent(QResizeEvent*)
{
    m_display.resizeGraph(width(), height());
    m_display.refreshAllCurves(true);
    drawFrame();
}

void ResponsePlot::drawGrid()
{
    const PlotGeometry& g = m_display.geometry();
    m_grid = layer();
    m_grid.fill(Qt::black);
    QPainter p(&m_grid);
    controls::DrawSkinImage(p, 303, 0, 0, 0, g.width, g.height);
    p.setPen(QPen(QColor(128, 128, 128, 0x40), 1));
    const auto vertical = [&](float hz) {
        const int x = core::RoundHalfEven(g.frequencyToX(hz));
        p.drawLine(QPointF(x + 0.5, PlotGeometry::kTop), QPointF(x + 0.5, g.bottom));
    };
    for (float decade : {10.0f, 100.0f, 1000.0f})
        for (int n = 1; n <= 9; ++n)
            vertical(decade * static_cast<float>(n));
    vertical(10000);
    vertical(20000);
    for (int db : {12, 6, 0, -6, -12, -18, -24}) {
        const int y = core::RoundHalfEven(g.dbToY(static_cast<float>(db)));
        p.drawLine(QPointF(PlotGeometry::kLeft, y + 0.5), QPointF(g.right, y + 0.5));
    }
    const QColor label(170, 170, 170);
    const float labelY = g.dbToY(-25.5f);
    const QFontMetricsF metrics(controls::SkinFont(12));
    const std::pair<float, const char*> frequencies[] = {
        {20, "20Hz"}, {100, "100Hz"}, {1000, "1KHz"}, {10000, "10KHz"}, {20000, "20KHz"}};
    for (const auto& [hz, text] : frequencies) {
        // Beside its line, but never past the plot's right edge: near it the label's
        // measured width places it.
        const qreal x = g.frequencyToX(hz) - (hz == 20000 ? 16 : 14);
        const qreal lastX = g.right - metrics.horizontalAdvance(QString::fromLatin1(text));
        controls::DrawSkinText(p, text, label, QStringLiteral("%1,%2").arg(std::min(x, lastX)).arg(labelY), 0, 12);
    }
    const std::pair<int, const char*> levels[] = {{12, "+12dB"},  {6, " +6dB"},   {0, "  0dB"},  {-6, " -6dB"},
                                                  {-12, "-12dB"}, {-18, "-18dB"}, {-24, "-24dB"}};
    for (const auto& [db, text] : levels)
        controls::DrawSkinText(p, text, label, QStringLiteral("7,%1").arg(g.dbToY(static_cast<float>(db)) - 6), 0, 12);
    p.end();
    CopyPixels(m_grid, m_frame);
    m_damage.invalidate();
}

void ResponsePlot::curveYs(const float* db, std::vector<float>& ys) const
{
    const PlotGeometry& g = m_display.geometry();
    ys.resize(static_cast<std::size_t>(g.points));
    for (int i = 0; i < g.points; ++i)
        ys[static_cast<std::size_t>(i)] = g.dbToY(db[i]);
}

void ResponsePlot::drawInactiveCurves()
{
    if (m_grid.isNull())
        return;
    CopyPixels(m_grid, m_curves);
    m_damage.invalidate();
    const auto& points = m_display.points();
    for (int j = 0; j < static_cast<int>(points.size()); ++j) {
        const CurvePoint& p = points[static_cast<std::size_t>(j)];
        if (j == m_display.selected() || p.band.bandOff)
            continue;
        curveYs(m_display.curves().column(p.slot), m_ys);
        StrokeCurve(m_curves, m_ys.data(), static_cast<int>(m_ys.size()), PlotGeometry::kLeft, 1,
                    SlotColour(p.slot, 0x70));
    }
}

void ResponsePlot::drawFrame()
{
    if (m_curves.isNull())
        return;
    m_display.frameDrawn();
    m_damage.restore(m_curves, m_frame);
    const PlotGeometry& g = m_display.geometry();
    const auto& points = m_display.points();
    const int count = g.points;
    if (!points.empty() && count > 1) {
        const CurvePoint& selected = points[static_cast<std::size_t>(m_display.selected())];
        const bool selectedFill =
            m_display.fadePhase() == ResponseDisplay::FadePhase::SelectedFill && m_display.fadeCounter() > 0;
        const bool totalFill =
            m_display.fadePhase() == ResponseDisplay::FadePhase::TotalFill && m_display.fadeCounter() > 0;
        curveYs(m_display.curves().column(selected.slot), m_ys);
        curveYs(m_display.curves().total().data(), m_totalYs);
        markCurves(m_ys, m_totalYs, selectedFill || totalFill);
        if (selectedFill)
            FillCurveToBaseline(m_frame, m_ys.data(), count, PlotGeometry::kLeft, g.zeroY,
                                SlotColour(selected.slot, 13 * m_display.fadeCounter()));
        StrokeCurve(m_frame, m_ys.data(), count, PlotGeometry::kLeft, 1, SlotColour(selected.slot, 0x70));
        if (totalFill)
            FillCurveToBaseline(m_frame, m_totalYs.data(), count, PlotGeometry::kLeft, g.zeroY,
                                QColor(255, 255, 0, 10 * m_display.fadeCounter()));
        StrokeCurve(m_frame, m_totalYs.data(), count, PlotGeometry::kLeft, 2,
                    m_display.locked() ? QColor(130, 130, 130) : QColor(255, 200, 0));
    }
    QPainter p(&m_frame);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    drawMarkersAndLabel(p);
    if (m_display.bypassed()) {
        const QSize banner = controls::SkinCache::instance().size(226);
        const int left = g.width / 2 - 100;
        const int top = g.height / 3;
        m_damage.add(QRectF(left, top, banner.width(), banner.height()));
        controls::DrawSkinImage(p, 226, left, top);
    }
    p.end();
    update();
}

// What the curves of this frame cover, column by column: both lines and, when a
// fill is shown, down (or up) to the baseline.
void ResponsePlot::markCurves(const std::vector<float>& selected, const std::vector<float>& total, bool fill)
{
    const PlotGeometry& g = m_display.geometry();
    const std::size_t n = selected.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t next = std::min(i + 1, n - 1);
        float low = std::min({selected[i], selected[next], total[i], total[next]});
        float high = std::max({selected[i], selected[next], total[i], total[next]});
        if (fill) {
            low = std::min(low, static_cast<float>(g.zeroY));
            high = std::max(high, static_cast<float>(g.zeroY));
        }
        m_damage.addColumn(PlotGeometry::kLeft + static_cast<double>(i), low, high);
    }
}

void ResponsePlot::drawMarkersAndLabel(QPainter& p)
{
    const PlotGeometry& g = m_display.geometry();
    const auto& points = m_display.points();
    bool labelled = false;
    int anchorX = 0;
    int anchorY = 0;
    for (int j = 0; j < static_cast<int>(points.size()); ++j) {
        const CurvePoint& pt = points[static_cast<std::size_t>(j)];
        const int x = core::RoundHalfEven(
            g.frequencyToX(core::FrequencyAt(std::clamp(pt.band.freqIndex, 0, core::kFrequencyCount - 1))));
        const int y = pt.type == EqBandPoint ? core::RoundHalfEven(g.gainToY(pt.band.gain)) : g.zeroY;
        const int t = ResponseDisplay::markerOffset(pt, j);
        m_damage.add(QRectF(x - 20, y - 20, 42, 42)); // the largest marker: 40 pixels at x - 19
        if (m_display.locked() || pt.band.bandOff) {
            controls::DrawSkinImage(p, 279, x - 6, y - 6);
        } else if (j == m_display.selected()) {
            labelled = true;
            anchorX = x;
            anchorY = y;
            if (m_display.pulse())
                controls::DrawSkinImage(p, 325 + t, x - 19, y - 19, 0, 40, 40);
            else
                controls::DrawSkinImage(p, 325 + t, x - 16, y - 16);
        } else {
            controls::DrawSkinImage(p, 342 + t, x - 8, y - 8);
        }
    }
    if (!labelled || m_display.locked())
        return;
    const CurvePoint& pt = points[static_cast<std::size_t>(m_display.selected())];
    if (anchorX > g.right - 80)
        anchorX -= 70;
    m_damage.add(QRectF(anchorX - 20, anchorY - 30, 240, 60)); // three lines of short text, or "OFF"
    const QColor white(255, 255, 255, 0xB0);
    const auto text = [&](const QString& s, int x, int y) {
        controls::DrawSkinText(p, s, white, QStringLiteral("%1,%2").arg(x).arg(y), 0, 12);
    };
    const QString frequency =
        QString::fromStdString(core::FrequencyText(std::clamp(pt.band.freqIndex, 0, core::kFrequencyCount - 1)));
    if (pt.type == EqBandPoint) {
        text(frequency + "Hz", anchorX + 15, anchorY - 16);
        text(QString::fromStdString(core::GainText(pt.band.gain)) + "dB", anchorX + 15, anchorY - 4);
        const int q = std::clamp(pt.band.shape == 0 ? pt.band.qIndex : pt.band.shelfQIndex, 0, core::kMaxQIndex);
        text(QString::fromStdString(core::QText(q)) + " Q", anchorX + 15, anchorY + 8);
    } else if (pt.band.freqIndex == core::kFrequencyIndexOffLow) {
        text("OFF", anchorX - 10, anchorY - 22);
    } else if (pt.band.freqIndex == core::kFrequencyIndexOffHigh) {
        text("OFF", anchorX + 60, anchorY - 25);
    } else {
        text(frequency + "Hz", anchorX - 15, anchorY - 22);
    }
}

void ResponsePlot::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_frame.isNull())
        p.fillRect(rect(), Qt::black);
    else
        p.drawImage(0, 0, m_frame);
}

void ResponsePlot::mousePressEvent(QMouseEvent* event)
{
    const GraphEditor::Button button = event->button() == Qt::RightButton    ? GraphEditor::Right
                                       : event->button() == Qt::MiddleButton ? GraphEditor::Middle
                                                                             : GraphEditor::Left;
    m_editor.press(event->position().x(), event->position().y(), button);
    if (button == GraphEditor::Right)
        m_rightOnPoint = m_editor.dragging();
}

void ResponsePlot::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_rightOnPoint)
        emit menuRequested(event->globalPos());
}

void ResponsePlot::mouseMoveEvent(QMouseEvent* event)
{
    m_editor.drag(event->position().x(), event->position().y());
}

void ResponsePlot::mouseReleaseEvent(QMouseEvent*)
{
    m_editor.release();
}

void ResponsePlot::keyPressEvent(QKeyEvent* event)
{
    if (const auto key = EditKeyOf(event->key()))
        m_editor.pressKey(*key);
    else
        QWidget::keyPressEvent(event);
}

void ResponsePlot::keyReleaseEvent(QKeyEvent* event)
{
    if (event->isAutoRepeat())
        return; // a held key keeps its long press
    if (const auto key = EditKeyOf(event->key()))
        m_editor.releaseKey(*key);
}

void ResponsePlot::wheelEvent(QWheelEvent* event)
{
    event->accept();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if (event->buttons() != Qt::NoButton || event->angleDelta().x() != 0 ||
        (modifiers != Qt::NoModifier && modifiers != Qt::ControlModifier))
        return;
    m_editor.wheel(event->angleDelta().y(), modifiers == Qt::ControlModifier);
}

// The key or button release then goes elsewhere; without this a held arrow key
// would keep moving the point.
void ResponsePlot::focusOutEvent(QFocusEvent* event)
{
    m_editor.releaseAll();
    QWidget::focusOutEvent(event);
}

void ResponsePlot::hideEvent(QHideEvent* event)
{
    m_editor.releaseAll();
    QWidget::hideEvent(event);
}

} // namespace quorix::graph
