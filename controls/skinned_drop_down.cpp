#include "skinned_drop_down.h"

#include "skin_cache.h"
#include "skin_draw.h"

#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace quorix::controls {

SkinnedDropDown::SkinnedDropDown(QWidget* parent) : QWidget(parent)
{
    LoadSkinCache();
    setFocusPolicy(Qt::ClickFocus);
    m_popup = new QListWidget(this);
    // A tool window owned by the control but not inside it, so it can reach past the host window.
    m_popup->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    m_popup->setFocusPolicy(Qt::NoFocus);
    m_popup->setAttribute(Qt::WA_ShowWithoutActivating); // the host keeps the focus, so the pop-up stays open
    m_popup->setMouseTracking(true);
    m_popup->setFont(SkinFont(12));
    m_popup->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_popup->setStyleSheet("QListWidget { background: #1f2329; color: #e2e5e9; border: 1px solid #3b434d; }"
                           "QListWidget::item { padding: 0 3px; }"
                           "QListWidget::item:selected { background: #3d8bff; color: white; }"
                           "QScrollBar:vertical { background: #15181d; width: 8px; margin: 0; }"
                           "QScrollBar::handle:vertical { background: #4a535e; min-height: 12px; border-radius: 3px; }"
                           "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
                           "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }");
    m_popup->installEventFilter(this);
    m_popup->viewport()->installEventFilter(this);
    m_popup->hide();
    setShowType(0);
}

SkinnedDropDown::~SkinnedDropDown() = default;

void SkinnedDropDown::setShowType(int showType)
{
    m_showType = showType;
    m_list = ComboListFor(showType);
    setFixedSize(m_list.width, m_list.height);
    m_popup->clear();
    m_popup->addItems(m_list.items);
    // Rounded down, so a list that fits its pop-up height needs no scroll bar.
    const double itemHeight = m_list.popupHeight / static_cast<double>(std::max<qsizetype>(m_list.items.size(), 1));
    for (int i = 0; i < m_popup->count(); ++i)
        m_popup->item(i)->setSizeHint(QSize(m_list.width, std::max(1, static_cast<int>(itemHeight))));
    m_popup->setFixedSize(m_list.width - 3, static_cast<int>(std::ceil(m_list.popupHeight)) + 2);
    m_selected = 0;
    update();
}

int SkinnedDropDown::value() const
{
    return m_list.countsFromOne ? m_selected + 1 : m_selected;
}

void SkinnedDropDown::setValue(int value)
{
    const int index = m_list.countsFromOne ? value - 1 : value;
    m_selected = std::clamp(index, 0, static_cast<int>(m_list.items.size()) - 1);
    update();
}

QString SkinnedDropDown::selectedText() const
{
    return m_list.items.value(m_selected);
}

void SkinnedDropDown::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    DrawSkinImage(p, m_list.face, m_list.face == 150 ? 3 : 0, 0);
    if (m_list.firstImage)
        DrawSkinImage(p, m_list.firstImage + m_selected, m_list.imageX, m_list.imageY);
    else
        DrawSkinText(p, selectedText(), Qt::white, "2,2", 0, 16);
    DrawSkinImage(p, m_pressed ? m_list.arrowPressed : m_list.arrow, m_list.arrowX,
                  m_pressed ? m_list.arrowPressedY : m_list.arrowY);
    if (!isEnabled())
        DrawSkinImage(p, 316, 0, 0);
}

void SkinnedDropDown::placePopup()
{

    if (!m_open) {
        m_popup->hide();
        return;
    }
    const QPoint topLeft = mapToGlobal(QPoint(0, 0));
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    const int popupHeight = m_popup->height();
    const int left = topLeft.x() + 2;
    // Below when it fits on the screen, above otherwise.
    if (topLeft.y() + height() + popupHeight - 7 < area.bottom())
        m_popup->move(left, topLeft.y() + height() - 1);
    else
        m_popup->move(left, topLeft.y() - popupHeight - 1);
    m_popup->setCurrentRow(m_selected);
    m_popup->show();
    m_popup->raise();
}

void SkinnedDropDown::mousePressEvent(QMouseEvent*)
{
    if (!isEnabled())
        return;
    m_pressed = true;
    m_open = !m_open;
    repaint();
    placePopup();
}

void SkinnedDropDown::mouseReleaseEvent(QMouseEvent*)
{
    if (!isEnabled())
        return;
    m_pressed = false;
    repaint();
}

void SkinnedDropDown::changeEvent(QEvent* event)
{
    if (event->type() != QEvent::EnabledChange) {
        QWidget::changeEvent(event);
        return;
    }
    if (!isEnabled())
        closePopup();
}

void SkinnedDropDown::focusOutEvent(QFocusEvent* event)
{
    // A platform may make the pop-up the active window when it shows: that loses nothing.
    if (event->reason() == Qt::ActiveWindowFocusReason && QApplication::activeWindow() == m_popup)
        return;
    closePopup();
}

void SkinnedDropDown::closePopup()
{
    if (m_open) {
        m_open = false;
        placePopup();
        update();
    }
}

void SkinnedDropDown::pick()
{
    m_open = false;
    update();
    placePopup();
    emit click(value());
}

bool SkinnedDropDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_popup && event->type() == QEvent::WindowDeactivate && QApplication::activeWindow() != window())
        closePopup(); // the pop-up was active and another window took over
    if (watched != m_popup->viewport())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseMove) {
        // Hovering selects the item under the pointer, without raising anything.
        const auto* move = static_cast<QMouseEvent*>(event);
        if (const QListWidgetItem* item = m_popup->itemAt(move->position().toPoint())) {
            m_selected = m_popup->row(item);
            m_popup->setCurrentRow(m_selected);
            update();
        }
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (const QListWidgetItem* item = m_popup->itemAt(press->position().toPoint()))
            m_selected = m_popup->row(item);
        pick();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quorix::controls
