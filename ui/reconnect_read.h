#pragma once

#include "core/prompter.h"

#include <functional>

namespace quorix::ui {

class ConsoleServices;
class TuningWindow;

// The full read after a connection. Copies the processor record does not know
// the processor holds (edited offline, lost, still queued) are never read over
// unseen: the comparison window lists them with whatever else differs, and
// offers its two ways of bringing them into step. Without such copies, or when
// nothing differs, the read goes to the screen.
class ReconnectRead {
public:
    ReconnectRead(ConsoleServices& session, TuningWindow& window, core::Prompter& prompter);

    // Returns at once; `done` is told whether the read went to the screen or the comparison is shown.
    void synchronise(std::function<void(bool)> done);

private:
    ConsoleServices& m_session;
    TuningWindow& m_window;
    core::Prompter& m_prompter;
};

} // namespace quorix::ui
