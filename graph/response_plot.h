#pragma once

#include "frame_damage.h"
#include "graph_editor.h"
#include "response_display.h"

#include <QImage>
#include <QWidget>

#include <vector>

namespace quorix::graph {

// The response graph of the page in view, in three layers: the background and
// grid (drawn once per size), the inactive curves (once per selection or page),
// and the frame (per edit or animation step) with the selected and total curves,
// their fading fills, the markers, the selected point's label and the bypass banner.
class ResponsePlot : public QWidget {
    Q_OBJECT

public:
    explicit ResponsePlot(DisplayLinks links, QWidget* parent = nullptr);

    ResponseDisplay& display() { return m_display; }
    GraphEditor& editor() { return m_editor; }
    // The frame as the widget shows it.
    const QImage& frame() const { return m_frame; }
    // Redraws the frame layer now (the display's frame request does this).
    void drawFrame();
    // The picture the widget shows, drawn anew with `scale` times its device pixels.
    QImage picture(qreal scale);

signals:
    // A right click that took no point: where the window may open its graph menu.
    void menuRequested(QPoint globalPosition);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QImage layer() const;
    void drawGrid();
    void drawInactiveCurves();
    void curveYs(const float* db, std::vector<float>& ys) const;
    void drawMarkersAndLabel(QPainter& p);
    void markCurves(const std::vector<float>& selected, const std::vector<float>& total, bool fill);

    ResponseDisplay m_display;
    GraphEditor m_editor;
    QImage m_grid;
    QImage m_curves;
    QImage m_frame;
    FrameDamage m_damage;
    qreal m_pictureScale = 1;
    bool m_rightOnPoint = false;
    mutable std::vector<float> m_ys;
    std::vector<float> m_totalYs;
};

} // namespace quorix::graph
