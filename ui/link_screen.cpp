#include "link_screen.h"

#include "tuning_window.h"
#include "window_actions.h"

#include "graph/response_plot.h"

#include "controls/qt_text.h"
#include "controls/skinned_button.h"
#include "controls/skinned_fader.h"
#include "controls/skinned_progress_bar.h"

#include "core/prompter.h"

#include <utility>

namespace quorix::ui {

using link::LinkCode;

LinkScreen::LinkScreen(TuningWindow& window, core::Scheduler& scheduler, core::Prompter& prompter,
                       WindowActions& actions)
    : m_window(window), m_scheduler(scheduler), m_prompter(prompter), m_actions(actions),
      m_messageTurn(scheduler.createTimer(0, true, [this] { showQueuedMessages(); }))
{}

LinkScreen::~LinkScreen() = default;

void LinkScreen::showNoPermission()
{
    showCaption(kCaptionNoPermission);
    m_window.driven().connection->setToolTip(QStringLiteral("无权访问设备"));
    if (!m_permissionExplained) {
        m_permissionExplained = true;
        queueMessage(std::string(kNoPermissionMessage), core::Severity::Warning);
    }
}

void LinkScreen::showRemoteProblem(const std::string& problem)
{
    const std::string told = std::string(kRemoteProblemMessage) + problem;
    m_window.driven().connection->setToolTip(QString::fromStdString(told));
    // The console asks again every few seconds and hears the same refusal each time.
    if (std::exchange(m_remoteProblemTold, problem) != problem)
        queueMessage(told, core::Severity::Warning);
}

void LinkScreen::report(const link::LinkReport& report)
{
    switch (report.code) {
    case LinkCode::StoreReadStarted:
        m_actions.closeRecordingWindow();
        showTransfer(true);
        break;
    case LinkCode::TransferStarted:
        showTransfer(true);
        break;
    case LinkCode::TransferEnded:
        showTransfer(false);
        break;
    case LinkCode::Progress:
        m_window.progressBar().setMaxValue(report.maximum);
        m_window.progressBar().setValue(report.value);
        break;
    case LinkCode::Variant:
        m_actions.showDeviceVariant();
        m_window.pages().showPage(0);
        for (controls::SkinnedButton* b :
             {m_window.button(tables::ControlArray::CmdPage, 2), m_window.button(tables::ControlArray::CmdPage, 5),
              m_window.driven().recordPage, m_window.button(tables::ControlArray::OptionInput, 2)})
            b->setButtonEnabled(report.value == 0);
        break;
    case LinkCode::Preset:
        m_window.driven().presetShown->setValue(report.value);
        break;
    case LinkCode::MasterMaxima:
        for (int i = 0; i < 3; ++i)
            m_window.slider(i)->setMaxValue(report.values[static_cast<std::size_t>(i)]);
        break;
    case LinkCode::ModeStateLoaded:
        m_window.modes().showLoadedState();
        break;
    case LinkCode::StoreRead:
        m_window.storeView().showAll();
        m_window.history().resetUndo();
        break;
    case LinkCode::ProcessorWritten:
        m_window.history().resetUndo();
        break;
    case LinkCode::Tone:
        m_window.driven().tone->setValue(report.value);
        break;
    case LinkCode::Tick:
        m_window.plot().display().linkTicked();
        break;
    case LinkCode::Synchronised: {
        m_lostWritesTold = false;
        m_remoteProblemTold.clear();
        // Whatever kept the processor away (no permission, a remote refusal) is over.
        QWidget& connection = *m_window.driven().connection;
        connection.setToolTip(connection.accessibleName());
        m_actions.synchronised(true);
        break;
    }
    case LinkCode::SyncFailed:
        m_actions.synchronised(false);
        break;
    default:
        show(report);
        break;
    }
}

// The connection's state and the outcomes the user is told of.
void LinkScreen::show(const link::LinkReport& report)
{
    LinkWords words = WordLinkReport(report);
    if (report.code == LinkCode::Online)
        m_lossNotice.online(m_scheduler.nowMs());
    if (report.code == LinkCode::Lost && !m_lossNotice.lost(m_scheduler.nowMs()))
        words.message.reset();
    if (report.code == LinkCode::WritesLost && std::exchange(m_lostWritesTold, true))
        words.message.reset();
    if (words.button)
        m_window.driven().connection->setValue(static_cast<int>(*words.button));
    if (words.caption)
        showCaption(*words.caption);
    if (words.message)
        queueMessage(std::move(*words.message), words.severity);
}

void LinkScreen::showCaption(std::string_view caption)
{
    m_window.showCaption(controls::QtText(caption));
}

void LinkScreen::showTransfer(bool running)
{
    m_window.setBusy(running);
    m_window.progressBar().setVisible(running);
    if (running)
        m_window.progressBar().raise();
}

void LinkScreen::queueMessage(std::string text, core::Severity severity)
{
    m_messages.emplace_back(std::move(text), severity);
    if (!m_messageTurn->isActive())
        m_messageTurn->start();
}

// A message box runs a modal loop: what it lets run may queue more messages,
// which are shown after it, in order.
void LinkScreen::showQueuedMessages()
{
    while (!m_messages.empty()) {
        auto [text, severity] = std::move(m_messages.front());
        m_messages.pop_front();
        m_prompter.showMessage(text, severity);
    }
}

} // namespace quorix::ui
