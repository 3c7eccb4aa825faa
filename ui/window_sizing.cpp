#include "window_sizing.h"

#include <QWidget>

namespace quorix::ui {

SizingEdge EdgeAt(QPoint position, QSize size, int band)
{
    const bool right = position.x() > size.width() - 2 * band && position.x() <= size.width() - band;
    const bool bottom = position.y() > size.height() - 2 * band && position.y() <= size.height() - band;
    if (right && bottom)
        return SizingEdge::RightBottom;
    if (right)
        return SizingEdge::Right;
    return bottom ? SizingEdge::Bottom : SizingEdge::None;
}

WindowSizing::WindowSizing(QWidget& window, int titleHeight, int band)
    : m_window(window), m_titleHeight(titleHeight), m_band(band)
{}

QWidget& WindowSizing::target() const
{
    QWidget* parent = m_window.parentWidget();
    return parent && parent->inherits("QMdiSubWindow") ? *parent : m_window;
}

void WindowSizing::hover(QPoint position)
{
    m_edge = EdgeAt(position, m_window.size(), m_band);
    switch (m_edge) {
    case SizingEdge::RightBottom:
        m_window.setCursor(Qt::SizeFDiagCursor);
        break;
    case SizingEdge::Right:
        m_window.setCursor(Qt::SizeHorCursor);
        break;
    case SizingEdge::Bottom:
        m_window.setCursor(Qt::SizeVerCursor);
        break;
    case SizingEdge::None:
        m_window.unsetCursor();
        break;
    }
}

void WindowSizing::press(QPoint position, QPoint global)
{
    hover(position);
    m_pressGlobal = global;
    m_pressOrigin = target().pos();
    m_pressSize = target().size();
    if (m_edge != SizingEdge::None)
        m_sizing = true;
    else if (position.y() < m_titleHeight)
        m_moving = true;
}

void WindowSizing::drag(QPoint global)
{
    const QPoint delta = global - m_pressGlobal;
    if (m_moving) {
        target().move(m_pressOrigin + delta);
        return;
    }
    if (!m_sizing)
        return;
    QSize size = m_pressSize;
    if (m_edge == SizingEdge::Right || m_edge == SizingEdge::RightBottom)
        size.rwidth() += delta.x();
    if (m_edge == SizingEdge::Bottom || m_edge == SizingEdge::RightBottom)
        size.rheight() += delta.y();
    const QSize frame = target().size() - m_window.size();
    target().resize(size.expandedTo(m_window.minimumSize() + frame));
}

void WindowSizing::release()
{
    m_sizing = false;
    m_moving = false;
}

} // namespace quorix::ui
