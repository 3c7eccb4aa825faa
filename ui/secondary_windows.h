#pragma once

#include "startup_settings_window.h"

#include <QPointer>

namespace quorix::ui {

class ConsoleServices;
class TuningWindow;

// The frame's secondary windows: the startup settings (modeless, one at a time)
// and the recording and effect windows (modal, loaded anew at each opening).
// Each open one is refreshed whenever the main window refreshes, and destroyed
// when closed.
class SecondaryWindows {
public:
    SecondaryWindows(ConsoleServices& session, QWidget* owner);

    void showStartupSettings(TuningWindow* mainWindow);
    void showRecordingWindow();
    void showEffectWindow();
    void closeRecordingWindow();
    // An open settings window, opened before the processor answered, places its loudspeaker lists.
    void showDeviceVariant();
    void closeAll();

    StartupSettingsWindow* settings() const { return m_settings; }
    TableWindow* recording() const { return m_recording; }
    TableWindow* effect() const { return m_effect; }

private:
    void showModal(QPointer<TableWindow>& slot, TableWindow* window);

    ConsoleServices& m_session;
    QWidget* m_owner;
    QPointer<StartupSettingsWindow> m_settings;
    QPointer<TableWindow> m_recording;
    QPointer<TableWindow> m_effect;
};

} // namespace quorix::ui
