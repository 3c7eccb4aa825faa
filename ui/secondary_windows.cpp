#include "secondary_windows.h"

#include "console_services.h"

#include "link/device_link.h"
#include "startup_settings_window.h"

#include "tables/effect_window_table.h"
#include "tables/recording_window_table.h"

namespace quorix::ui {

SecondaryWindows::SecondaryWindows(ConsoleServices& session, QWidget* owner) : m_session(session), m_owner(owner) {}

void SecondaryWindows::showStartupSettings(TuningWindow* mainWindow)
{
    if (!mainWindow)
        return;
    if (!m_settings) {
        m_settings = new StartupSettingsWindow(m_session, *mainWindow, m_owner);
        m_settings->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_settings->show();
    m_settings->raise();
    m_settings->activateWindow();
}

void SecondaryWindows::showRecordingWindow()
{
    showModal(m_recording, new TableWindow(m_session, tables::RecordingWindowTable(), m_owner));
}

void SecondaryWindows::showEffectWindow()
{
    showModal(m_effect, new TableWindow(m_session, tables::EffectWindowTable(), m_owner));
}

void SecondaryWindows::showModal(QPointer<TableWindow>& slot, TableWindow* window)
{
    delete slot;
    slot = window;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
}

void SecondaryWindows::closeRecordingWindow()
{
    if (m_recording)
        m_recording->close();
}

void SecondaryWindows::showDeviceVariant()
{
    if (m_settings)
        m_settings->placeLoudspeakerLists(m_session.link().state().deviceVariantFlag);
}

void SecondaryWindows::closeAll()
{
    for (QWidget* window :
         {static_cast<QWidget*>(m_settings), static_cast<QWidget*>(m_recording), static_cast<QWidget*>(m_effect)})
        if (window)
            window->close();
}

} // namespace quorix::ui
