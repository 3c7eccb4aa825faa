#include "reconnect_read.h"

#include "compare_window.h"
#include "console_services.h"
#include "tuning_window.h"

#include "link/device_link.h"

namespace quorix::ui {

ReconnectRead::ReconnectRead(ConsoleServices& session, TuningWindow& window, Prompter& prompter)
    : m_session(session), m_window(window), m_prompter(prompter), m_lastRead(session.store())
{
}

void ReconnectRead::storeRead()
{
    m_lastRead = m_session.store();
}

bool ReconnectRead::synchronise()
{
    link::DeviceLink& link = m_session.link();
    if (m_session.store() != m_lastRead) {
        auto* compare = new CompareWindow(m_session, m_window, m_prompter, m_window.window());
        compare->setAttribute(Qt::WA_DeleteOnClose);
        if (!compare->readAndList()) {
            delete compare;
            return false;
        }
        if (compare->hasDifferences()) {
            QObject::connect(compare, &CompareWindow::broughtIntoStep, &m_window,
                             [this] { m_lastRead = m_session.store(); });
            compare->show();
            compare->raise();
            return true;
        }
        delete compare;
    }
    return link.ReadFromDevice(0, true, link::Command::ReadBlock);
}

} // namespace quorix::ui
