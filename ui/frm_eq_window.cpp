// The main window as a window: first activation, layout, its own sizing edges,
// dragging by the title strip, the keyboard and the close request.
#include "frm_eq.h"

#include "console_session.h"
#include "frm_eq_controls.h"
#include "page_panel.h"
#include "prompter.h"
#include "window_actions.h"

#include "graph/response_plot.h"

#include "controls/c_progress_bar.h"
#include "controls/m_btn_flag.h"
#include "controls/m_scroll_bar.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace quorix::ui {

void frmEQ::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    StartPageInit();
    // A window reloaded while the link stayed online would otherwise show the defaults.
    if (m_session.link().LinkOnline())
        m_reread->start();
}

bool frmEQ::CommandKey(const QKeyEvent& event)
{
    if (event.matches(QKeySequence::Undo))
        m_modes->UndoClicked();
    else if (event.matches(QKeySequence::Redo) || event.keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y))
        m_modes->RedoClicked();
    else if (event.matches(QKeySequence::Save))
        m_actions.SaveConfigurationFile();
    else if (event.matches(QKeySequence::Open))
        m_actions.OpenConfigurationFile();
    else if (event.modifiers() == Qt::ControlModifier && event.key() >= Qt::Key_1 && event.key() <= Qt::Key_8) {
        const int page = event.key() - Qt::Key_1;
        if (button(ControlArray::CmdPage, page)->buttonEnabled())
            cmdPageClick(page);
    } else
        return false;
    return true;
}

void frmEQ::layoutWindow()
{
    const int w = width();
    const int h = height();
    m_background->setGeometry(rect());
    m_background->lower();
    const QRect graph(FrmEqGeometry::kPanelLeft, FrmEqGeometry::kGraphTop, w - FrmEqGeometry::kGraphWidthMargin,
                      h - FrmEqGeometry::kGraphHeightMargin);
    m_plot->setGeometry(graph);
    m_strip->setGeometry(graph.left(), graph.bottom() + 1, graph.width(), FrmEqGeometry::kStripHeight);
    for (const auto& [widget, spec] : m_specs) {
        auto* control = const_cast<QWidget*>(widget);
        switch (spec->anchor) {
        case Anchor::WindowRight:
            control->move(w + spec->x, spec->y);
            break;
        case Anchor::StripRight:
            control->move(graph.width() + spec->x, spec->y);
            break;
        case Anchor::GraphRight:
            control->move(graph.right() + 1 + spec->x, graph.top() + spec->y);
            control->raise();
            break;
        default:
            break;
        }
    }
    m_progress->setGeometry(graph.left() + (graph.width() - 400) / 2, graph.top() + (graph.height() - 24) / 2, 400, 24);
    m_progress->raise();
}

void frmEQ::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (isMinimized())
        return;
    layoutWindow();
}

QWidget* frmEQ::sizingTarget()
{
    // Inside the frame window the main window lives in a sub-window; alone it is its own.
    return parentWidget() && parentWidget()->inherits("QMdiSubWindow") ? parentWidget() : this;
}

void frmEQ::CheckPointerZone(QPoint position)
{
    const int right = width();
    const int bottom = height();
    const bool rightBand = position.x() > right - 2 * kSizingBand && position.x() <= right - kSizingBand;
    const bool bottomBand = position.y() > bottom - 2 * kSizingBand && position.y() <= bottom - kSizingBand;
    if (rightBand && bottomBand) {
        setCursor(Qt::SizeFDiagCursor);
        m_dragDirection = QStringLiteral("RightDown");
    } else if (rightBand) {
        setCursor(Qt::SizeHorCursor);
        m_dragDirection = QStringLiteral("Right");
    } else if (bottomBand) {
        setCursor(Qt::SizeVerCursor);
        m_dragDirection = QStringLiteral("Down");
    } else {
        unsetCursor();
        m_dragDirection = QStringLiteral("Move");
    }
}

void frmEQ::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    CheckPointerZone(event->position().toPoint());
    m_pressGlobal = event->globalPosition().toPoint();
    m_pressOrigin = sizingTarget()->pos();
    m_pressSize = sizingTarget()->size();
    if (m_dragDirection != QLatin1String("Move"))
        m_sizingDrag = true;
    else if (event->position().y() < FrmEqGeometry::kTitleHeight)
        m_movingWindow = true;
}

void frmEQ::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint delta = event->globalPosition().toPoint() - m_pressGlobal;
    if (m_movingWindow) {
        sizingTarget()->move(m_pressOrigin + delta);
        return;
    }
    if (!m_sizingDrag || !(event->buttons() & Qt::LeftButton))
        return;
    QSize size = m_pressSize;
    if (m_dragDirection.contains(QLatin1String("Right")))
        size.rwidth() += delta.x();
    if (m_dragDirection.contains(QLatin1String("Down")))
        size.rheight() += delta.y();
    const QSize frame = sizingTarget()->size() - this->size();
    sizingTarget()->resize(size.expandedTo(minimumSize() + frame));
}

void frmEQ::mouseReleaseEvent(QMouseEvent*)
{
    m_sizingDrag = false;
    m_movingWindow = false;
}

bool frmEQ::MasterKey(QChar key)
{
    static constexpr struct {
        char key;
        int slider;
        int step;
    } kKeys[] = {{'q', 0, 1}, {'a', 0, -1}, {'w', 1, 1}, {'s', 1, -1}, {'e', 2, 1}, {'d', 2, -1}};
    for (const auto& k : kKeys) {
        if (key != QLatin1Char(k.key))
            continue;
        controls::MScrollBar* s = slider(k.slider);
        const int value = static_cast<int>(s->Value());
        if ((k.step > 0 && value < 80) || (k.step < 0 && value > 0)) {
            s->setValue(static_cast<float>(value + k.step));
            sliderScrolled(s);
        }
        return true;
    }
    return false;
}

void frmEQ::keyPressEvent(QKeyEvent* event)
{
    // Keys the focused control does not take arrive here.
    if (CommandKey(*event))
        return;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier) || event->text().size() != 1 ||
        !MasterKey(event->text().front()))
        QWidget::keyPressEvent(event);
}

void frmEQ::closeEvent(QCloseEvent* event)
{
    if (!m_unloaded) {
        event->ignore();
        requestClose();
    }
}

void frmEQ::requestClose()
{
    if (m_closing)
        return;
    m_closing = true;
    if (m_prompter.askYesNo(kExitQuestion))
        m_actions.ShowExitSave();
    link::DeviceLink& link = m_session.link();
    link.setQuietShutdown(true);
    QCoreApplication::processEvents();
    m_plot->display().RefreshAllCurves(true);
    m_moveWindow->stop();
    m_frameCount->stop();
    link.stop();
    if (link.ReplyWaitActive()) {
        m_prompter.showMessage(kStoppingMessage, link::MessageIcon::Exclamation);
        m_delayedUnload->start();
    } else {
        unload();
    }
}

void frmEQ::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_session.setHost(nullptr);
    m_actions.MainWindowUnloaded();
    emit unloaded();
}

} // namespace quorix::ui
