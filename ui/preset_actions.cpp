#include "preset_actions.h"

#include "console_frame.h"
#include "console_services.h"
#include "dark_dialog_style.h"
#include "exit_save_dialog.h"
#include "password_window.h"
#include "tuning_window.h"

#include "presets/preset_texts.h"

#include "core/preset_name.h"
#include "core/prompter.h"
#include "core/tuning_document.h"
#include <QCursor>
#include <QMenu>

namespace quorix::ui {

namespace {

QString PresetName(int preset)
{
    return QString::fromStdString(core::PresetName(preset));
}

} // namespace

PresetActions::PresetActions(ConsoleServices& session, core::Prompter& prompter, ConsoleFrame& frame)
    : m_session(session), m_prompter(prompter), m_frame(frame), m_commands(context(), prompter, *this),
      m_files(context(), prompter, session.modeFolder()), m_waitingNotice([this] { return owner(); }),
      m_openOnConnect(session.link(), session.scheduler(), prompter, m_waitingNotice, m_files)
{
    m_recallMenu = new QMenu(QStringLiteral("调用菜单"), &frame);
    m_recallMenu->setObjectName(QStringLiteral("cmdLoadMenu"));
    ApplyDarkDialogStyle(*m_recallMenu);
    for (int preset = 0; preset < static_cast<int>(core::kPresetNames.size()); ++preset) {
        QAction* item = m_recallMenu->addAction(PresetName(preset));
        item->setObjectName(QStringLiteral("cmdModeLoad%1").arg(preset));
        QObject::connect(item, &QAction::triggered, m_recallMenu, [this, preset] { m_commands.recall(preset); });
    }
    m_storeMenu = new QMenu(QStringLiteral("保存菜单"), &frame);
    m_storeMenu->setObjectName(QStringLiteral("cmdSaveMenu"));
    ApplyDarkDialogStyle(*m_storeMenu);
    for (int i = 0; i + presets::kFirstUserPreset < static_cast<int>(core::kPresetNames.size()); ++i) {
        QAction* item = m_storeMenu->addAction(PresetName(i + presets::kFirstUserPreset));
        item->setObjectName(QStringLiteral("cmdModeSave%1").arg(i));
        QObject::connect(item, &QAction::triggered, m_storeMenu, [this, i] { m_commands.store(i); });
    }
    QObject::connect(frame.action(QStringLiteral("CmdProgramSetup")), &QAction::triggered, m_storeMenu, [this] {
        if (m_frame.mainWindowLoaded())
            showProgramManager();
    });
    QObject::connect(&frame, &ConsoleFrame::mainWindowLoadedChanged, m_storeMenu, [this](bool loaded) {
        if (!loaded)
            mainWindowGone();
    });
}

PresetActions::~PresetActions() = default;

presets::PresetContext PresetActions::context()
{
    return {m_session.link(), m_session.store(),  m_session.image(),
            m_session.view(), m_session.digits(), m_session.screen()};
}

QWidget* PresetActions::owner() const
{
    return m_frame.mainWindow() ? static_cast<QWidget*>(m_frame.mainWindow()) : &m_frame;
}

void PresetActions::openConfigurationFile()
{
    m_files.openConfigurationFile();
}

void PresetActions::saveConfigurationFile()
{
    m_files.saveConfigurationFile();
}

void PresetActions::showRecallMenu()
{
    m_recallMenu->popup(QCursor::pos());
}

void PresetActions::showStoreMenu()
{
    m_storeMenu->popup(QCursor::pos());
}

bool PresetActions::showExitSave()
{
    ExitSaveDialog dialog(context(), m_prompter, m_session.modeFolder(), owner());
    return dialog.exec() == QDialog::Accepted;
}

void PresetActions::showProgramManager()
{
    if (!m_programManager) {
        m_programManager = new PasswordWindow(context(), m_session.document().edits(), m_prompter, &m_frame);
        m_programManager->move(m_frame.geometry().center() - m_programManager->rect().center());
    }
    m_programManager->show();
    m_programManager->raise();
    m_programManager->activateWindow();
}

void PresetActions::mainWindowGone()
{
    if (m_programManager && m_programManager->isVisible())
        m_programManager->closeWithMainWindow();
}

void PresetActions::setBusy(bool busy)
{
    link::LinkHost& screen = m_session.screen();
    if (!busy) {
        screen.report({link::LinkCode::TransferEnded});
        return;
    }
    screen.report({link::LinkCode::TransferStarted});
    screen.report({link::LinkCode::Progress, 0, 1});
}

} // namespace quorix::ui
