// The main window as a window: first activation, layout, its own sizing edges,
// dragging by the title strip, the keyboard and the close request.
#include "tuning_window.h"

#include "console_services.h"
#include "page_panel.h"
#include "window_actions.h"
#include "window_sizing.h"

#include "tables/tuning_window_table.h"

#include "graph/response_plot.h"

#include "link/device_link.h"

#include "controls/skinned_button.h"
#include "controls/skinned_fader.h"
#include "controls/skinned_progress_bar.h"

#include "core/prompter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace quorix::ui {

void TuningWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    startPageInit();
    // A window reloaded while the link stayed online would otherwise show the defaults.
    if (m_services.link().online())
        m_reread->start();
}

bool TuningWindow::commandKey(const QKeyEvent& event)
{
    if (event.matches(QKeySequence::Undo))
        m_modes->undoClicked();
    else if (event.matches(QKeySequence::Redo) || event.keyCombination() == QKeyCombination(Qt::CTRL, Qt::Key_Y))
        m_modes->redoClicked();
    else if (event.matches(QKeySequence::Save))
        m_actions.saveConfigurationFile();
    else if (event.matches(QKeySequence::Open))
        m_actions.openConfigurationFile();
    else if (event.modifiers() == Qt::ControlModifier && event.key() >= Qt::Key_1 && event.key() <= Qt::Key_8) {
        const int page = event.key() - Qt::Key_1;
        if (button(tables::ControlArray::CmdPage, page)->buttonEnabled())
            m_pages->showPage(page);
    } else
        return false;
    return true;
}

void TuningWindow::layoutWindow()
{
    const int w = width();
    const int h = height();
    m_background->setGeometry(rect());
    m_background->lower();
    using Geometry = tables::TuningWindowGeometry;
    const QRect graph(Geometry::kPanelLeft, Geometry::kGraphTop, w - Geometry::kGraphWidthMargin,
                      h - Geometry::kGraphHeightMargin);
    m_plot->setGeometry(graph);
    m_strip->setGeometry(graph.left(), graph.bottom() + 1, graph.width(), Geometry::kStripHeight);
    for (const auto& [widget, row] : m_controls.rows()) {
        auto* control = const_cast<QWidget*>(widget);
        switch (row->anchor) {
        case tables::Anchor::WindowRight:
            control->move(w + row->x, row->y);
            break;
        case tables::Anchor::StripRight:
            control->move(graph.width() + row->x, row->y);
            break;
        case tables::Anchor::GraphRight:
            control->move(graph.right() + 1 + row->x, graph.top() + row->y);
            control->raise();
            break;
        default:
            break;
        }
    }
    m_progress->setGeometry(graph.left() + (graph.width() - 400) / 2, graph.top() + (graph.height() - 24) / 2, 400, 24);
    m_progress->raise();
}

void TuningWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (isMinimized())
        return;
    layoutWindow();
}

void TuningWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_sizing->press(event->position().toPoint(), event->globalPosition().toPoint());
}

void TuningWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton)
        m_sizing->drag(event->globalPosition().toPoint());
}

void TuningWindow::mouseReleaseEvent(QMouseEvent*)
{
    m_sizing->release();
}

bool TuningWindow::masterKey(QChar key)
{
    static constexpr struct {
        char key;
        int slider;
        int step;
    } kKeys[] = {{'q', 0, 1}, {'a', 0, -1}, {'w', 1, 1}, {'s', 1, -1}, {'e', 2, 1}, {'d', 2, -1}};
    for (const auto& k : kKeys) {
        if (key != QLatin1Char(k.key))
            continue;
        controls::SkinnedFader* s = slider(k.slider);
        const int value = static_cast<int>(s->value());
        if ((k.step > 0 && value < 80) || (k.step < 0 && value > 0)) {
            s->setValue(static_cast<float>(value + k.step));
            sliderScrolled(s);
        }
        return true;
    }
    return false;
}

void TuningWindow::keyPressEvent(QKeyEvent* event)
{
    // Keys the focused control does not take arrive here.
    if (commandKey(*event))
        return;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier) || event->text().size() != 1 ||
        !masterKey(event->text().front()))
        QWidget::keyPressEvent(event);
}

void TuningWindow::setBusy(bool busy)
{
    if (busy) {
        // Qt drops the focus of a disabled window's control and never gives it back.
        QWidget* focused = QApplication::focusWidget();
        if (isEnabled())
            m_focusBeforeBusy = focused == this || isAncestorOf(focused) ? focused : nullptr;
        setEnabled(false);
        return;
    }
    setEnabled(true);
    QWidget* focused = QApplication::focusWidget();
    if (focused && focused != this && !isAncestorOf(focused))
        return; // another window has the keyboard now
    if (m_focusBeforeBusy && m_focusBeforeBusy->isVisible() && m_focusBeforeBusy->isEnabled())
        m_focusBeforeBusy->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

void TuningWindow::closeEvent(QCloseEvent* event)
{
    if (!m_unloaded) {
        event->ignore();
        requestClose(CloseScope::Window);
    }
}

bool TuningWindow::requestClose(CloseScope scope)
{
    if (m_closing)
        return true;
    m_closing = true; // the question's own event loop may bring another close request
    const bool program = scope == CloseScope::Program;
    const core::Prompter::Answer answer = m_prompter.askYesNoCancel(program ? kExitQuestion : kCloseWindowQuestion);
    if (answer == core::Prompter::Answer::Cancel ||
        (answer == core::Prompter::Answer::Yes && !m_actions.showExitSave())) {
        m_closing = false;
        return false;
    }
    if (program)
        emit exitChosen();
    link::DeviceLink& link = m_services.link();
    link.setQuietShutdown(true);
    m_plot->display().refreshAllCurves(true);
    m_moveWindow->stop();
    link.stop();
    if (link.replyWaitActive()) {
        m_prompter.showMessage(kStoppingMessage, core::Severity::Warning);
        m_delayedUnload->start();
    } else {
        unload();
    }
    return true;
}

void TuningWindow::unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_services.link().setSynchronisation({});
    m_services.setHost(nullptr);
    m_actions.mainWindowUnloaded();
    emit unloaded();
}

} // namespace quorix::ui
