#pragma once

#include "secondary_windows.h"
#include "window_actions.h"

#include "core/prompter.h"

#include <QMainWindow>
#include <QPointer>

#include <filesystem>
#include <memory>

class QAction;
class QMdiArea;
class QMdiSubWindow;

namespace quorix::ui {

class ConsoleServices;
class PresetActions;
class TuningWindow;
class VenueWindow;

inline constexpr const char* kDiagnosticsCaption = "保存诊断信息";
inline constexpr const char* kDiagnosticsSaved = "诊断信息已保存。";
inline constexpr const char* kDiagnosticsNotSaved = "保存诊断信息失败：";

// The console's start-up window: a frame that holds the main tuning window and
// carries the menus that open, close and reload it and reach the other windows.
class ConsoleFrame final : public QMainWindow, private WindowActions {
    Q_OBJECT

public:
    static constexpr const char* kModelName = "Quorix KTV-8";

    ConsoleFrame(ConsoleServices& session, core::Prompter& prompter, QWidget* parent = nullptr);
    ~ConsoleFrame() override;

    TuningWindow* mainWindow() const { return m_frm; }
    bool mainWindowLoaded() const { return m_frm != nullptr; }
    bool quitting() const { return m_quitting; }
    QAction* action(const QString& name) const;
    const SecondaryWindows& secondaryWindows() const { return m_secondary; }

    // A configuration named when the console started: written, after a question, once the processor is online.
    void openWhenOnline(const std::filesystem::path& file);

    // 设备 → 场所…; with a venue named, connected to its rooms (on `broker`, when given).
    VenueWindow* showVenue(const QString& venue = {}, const QString& broker = {});

    // CmdMainWindow: closes the loaded main window (with its save question) or loads it.
    void cmdMainWindowChosen();
    void loadMainWindow();

signals:
    void mainWindowLoadedChanged(bool loaded);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createMenus();
    void mainWindowGone();
    void showAbout();
    // The support bundle, to a file the user chooses.
    void saveDiagnostics();

    // WindowActions: the windows behind these come with later work.
    void openConfigurationFile() override;
    void saveConfigurationFile() override;
    void showRecallMenu() override;
    void showStoreMenu() override;
    void showStartupSettings() override { m_secondary.showStartupSettings(m_frm); }
    void showRecordingWindow() override { m_secondary.showRecordingWindow(); }
    void showEffectWindow() override { m_secondary.showEffectWindow(); }
    bool showExitSave() override;
    void closeRecordingWindow() override { m_secondary.closeRecordingWindow(); }
    void showDeviceVariant() override { m_secondary.showDeviceVariant(); }
    void mainWindowUnloaded() override { m_secondary.closeAll(); }
    void synchronised(bool ok) override;

    ConsoleServices& m_session;
    core::Prompter& m_prompter;
    std::unique_ptr<PresetActions> m_presets;
    QMdiArea* m_area = nullptr;
    QPointer<QMdiSubWindow> m_sub;
    QPointer<QWidget> m_simPanel;
    TuningWindow* m_frm = nullptr;
    bool m_quitting = false;
    SecondaryWindows m_secondary{m_session, this};
};

} // namespace quorix::ui
