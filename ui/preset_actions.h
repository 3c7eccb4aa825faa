#pragma once

#include "qt_waiting_notice.h"

#include "presets/configuration_files.h"
#include "presets/file_open_on_connect.h"
#include "presets/preset_commands.h"

#include "core/busy_indicator.h"
#include "core/prompter.h"

#include <QPointer>

class QMenu;
class QWidget;

namespace quorix::ui {

class ConsoleServices;
class PasswordWindow;
class ConsoleFrame;

// The frame's configuration-file, preset and password actions: the file
// dialogs, the recall and store menus, the exit save dialog and the password
// window, each handing its work to the flows.
class PresetActions final : private core::BusyIndicator {
public:
    // Connects itself to the frame's "程序管理" item: the frame's menus must exist.
    PresetActions(ConsoleServices& session, core::Prompter& prompter, ConsoleFrame& frame);
    ~PresetActions() override;

    void openConfigurationFile();
    void saveConfigurationFile();
    void showRecallMenu();
    void showStoreMenu();
    // False when the dialog was cancelled.
    bool showExitSave();
    // A configuration named on the command line, offered once the processor is online and read.
    void openWhenOnline(const std::filesystem::path& file) { m_openOnConnect.start(file); }
    void synchronised(bool ok) { m_openOnConnect.synchronised(ok); }

private:
    // The password window: opened only while the main window is loaded, closed with it.
    void showProgramManager();
    void mainWindowGone();
    presets::PresetContext context();
    QWidget* owner() const;
    void setBusy(bool busy) override;

    ConsoleServices& m_session;
    core::Prompter& m_prompter;
    ConsoleFrame& m_frame;
    presets::PresetCommands m_commands;
    presets::ConfigurationFiles m_files;
    QtWaitingNotice m_waitingNotice;
    presets::FileOpenOnConnect m_openOnConnect;
    // cmdLoadMenu ("调用菜单", items cmdModeLoad0..7) and cmdSaveMenu ("保存菜单", items cmdModeSave0..4).
    QMenu* m_recallMenu = nullptr;
    QMenu* m_storeMenu = nullptr;
    QPointer<PasswordWindow> m_programManager;
};

} // namespace quorix::ui
