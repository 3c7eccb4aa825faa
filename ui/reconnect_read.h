#pragma once

#include "core/param_store.h"

namespace quorix::ui {

class ConsoleServices;
class Prompter;
class TuningWindow;

// The full read after a connection. Edits made on screen since the last read
// (offline, or while the link was lost) are never replaced unseen: the
// processor is read into a scratch image first, and when it differs from the
// screen the comparison window opens with its two ways of bringing them into
// step. Without such edits, or when nothing differs, the read goes to the screen.
class ReconnectRead {
public:
    ReconnectRead(ConsoleServices& session, TuningWindow& window, Prompter& prompter);

    bool synchronise();
    // A read of the whole store ended: what it holds now is what the processor holds.
    void storeRead();

private:
    ConsoleServices& m_session;
    TuningWindow& m_window;
    Prompter& m_prompter;
    core::ParamStore m_lastRead; // the store as the last complete read, or the load, left it
};

} // namespace quorix::ui
