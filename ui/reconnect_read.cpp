#include "reconnect_read.h"

#include "compare_window.h"
#include "tuning_window.h"

namespace quorix::ui {

ReconnectRead::ReconnectRead(ConsoleServices& session, TuningWindow& window, core::Prompter& prompter)
    : m_session(session), m_window(window), m_prompter(prompter)
{}

void ReconnectRead::synchronise(std::function<void(bool)> done)
{
    using Synchronisation = presets::ProcessorComparison::Synchronisation;
    auto* compare = new CompareWindow(m_session, m_prompter, m_window.window());
    compare->setAttribute(Qt::WA_DeleteOnClose);
    compare->synchronise([compare, done = std::move(done)](Synchronisation outcome) {
        if (outcome != Synchronisation::Listed) {
            delete compare;
            done(outcome == Synchronisation::Read);
            return;
        }
        compare->show();
        compare->raise();
        done(true);
    });
}

} // namespace quorix::ui
