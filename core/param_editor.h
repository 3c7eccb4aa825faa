#pragma once

#include "param_store.h"
#include "param_writer.h"
#include "view_state.h"

#include <functional>

namespace quorix::core {

class UndoHistory;

// The one road of a change of one parameter, from any window, the graph, undo
// or a filter import: the mode rule (flat addresses 2048 and above live at mode
// index 0), the mirror into the other mode for a parameter that is not per mode,
// the undo step, and the write handed to the link. A shared parameter is written
// for both modes, mode byte 0 first, so the processor holds it whichever set it
// reads or uses; a per-mode one is written for the mode on show. Nothing here
// waits: the link queues the writes.
class ParamEditor {
public:
    enum class UndoStep {
        None,     // a change that is not recorded (global parameters, restores)
        Snapshot, // a button or drop-down: a snapshot before the change
        Burst,    // a slider or graph edit: one step per run of changes
    };
    using Change = std::function<void(ParamRecord&)>;

    ParamEditor(ParamStore& store, const ViewState& view, ParamWriter& writer, UndoHistory* undo = nullptr);

    // Applies `change` to the parameter's record(s) and queues its write(s).
    void edit(int address, UndoStep step, const Change& change);
    void setValue(int address, int value, UndoStep step = UndoStep::None);
    // Applies `change` in the modes an edit would, and writes nothing.
    void apply(int address, const Change& change);
    // Queues the write(s) of the parameter as the store holds it now.
    void write(int address);
    // Queues the write of one mode's record (a mode copy writes the other mode).
    void writeMode(int mode, int address);

    // Undo and redo restore through this same road; true when a snapshot was restored.
    bool Undo();
    bool Redo();

    ParamStore& store() { return m_store; }
    const ViewState& view() const { return m_view; }
    UndoHistory* undo() { return m_undo; }

private:
    bool shared(int address) const;
    void recordStep(int address, UndoStep step);

    ParamStore& m_store;
    const ViewState& m_view;
    ParamWriter& m_writer;
    UndoHistory* m_undo;
};

} // namespace quorix::core
