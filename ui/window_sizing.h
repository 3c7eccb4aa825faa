#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace quorix::ui {

// Which edge a press grabs on the borderless main window; None drags the window by its title strip.
enum class SizingEdge { None, Right, Bottom, RightBottom };

// The edge under a pointer at `position` of a window of `size`: a band of `band`
// pixels just inside the right and bottom borders, `band` pixels from the very edge.
SizingEdge EdgeAt(QPoint position, QSize size, int band);

// The main window's own sizing and moving: it has no system frame, so its right
// and bottom edges resize it and its title strip moves it.
class WindowSizing {
public:
    WindowSizing(QWidget& window, int titleHeight, int band);

    // Shows the cursor of the edge under the pointer.
    void hover(QPoint position);
    void press(QPoint position, QPoint global);
    void drag(QPoint global);
    void release();
    SizingEdge edge() const { return m_edge; }

private:
    // Inside the frame window the main window lives in a sub-window; alone it is its own.
    QWidget& target() const;

    QWidget& m_window;
    int m_titleHeight;
    int m_band;
    SizingEdge m_edge = SizingEdge::None;
    bool m_sizing = false;
    bool m_moving = false;
    QPoint m_pressGlobal;
    QPoint m_pressOrigin;
    QSize m_pressSize;
};

} // namespace quorix::ui
