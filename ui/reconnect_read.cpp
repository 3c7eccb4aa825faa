#include "reconnect_read.h"

#include "compare_window.h"
#include "tuning_window.h"

namespace quorix::ui {

ReconnectRead::ReconnectRead(ConsoleServices& session, TuningWindow& window, Prompter& prompter)
    : m_session(session), m_window(window), m_prompter(prompter)
{
}

bool ReconnectRead::synchronise()
{
    using Synchronisation = presets::ProcessorComparison::Synchronisation;
    auto* compare = new CompareWindow(m_session, m_prompter, m_window.window());
    compare->setAttribute(Qt::WA_DeleteOnClose);
    const Synchronisation outcome = compare->synchronise();
    if (outcome != Synchronisation::Listed) {
        delete compare;
        return outcome == Synchronisation::Read;
    }
    compare->show();
    compare->raise();
    return true;
}

} // namespace quorix::ui
