#pragma once

#include "param_store.h"
#include "param_writer.h"
#include "store_taker.h"
#include "view_state.h"

#include <functional>
#include <utility>
#include <vector>

namespace quorix::core {

class UndoHistory;

// The one road of a change of one parameter, from any window, the graph, undo
// or a filter import: the mode rule (flat addresses 2048 and above live at mode
// index 0), the mirror into the other mode for a parameter that is not per mode,
// the undo step, and the write handed to the link. A shared parameter is written
// for both modes, mode byte 0 first, so the processor holds it whichever set it
// reads or uses; a per-mode one is written for the mode on show. Nothing here
// waits: the link queues the writes. Every copy it changes is told to its
// listeners as (address, mode), so views refresh themselves.
class ParamEditor final : public StoreTaker {
public:
    enum class UndoStep {
        None,     // a change that is not recorded (global parameters, restores)
        Snapshot, // a button or drop-down: a snapshot before the change
        Burst,    // a slider or graph edit: one step per run of changes
    };
    using Change = std::function<void(ParamRecord&)>;
    using Listener = std::function<void(int address, int mode)>;

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
    // One copy of the store set as a whole, with nothing mirrored and nothing written.
    void setCopy(int mode, int address, const ParamRecord& record) override;
    // What the processor was found to hold, taken into one copy of the store
    // (both copies of a shared parameter); nothing is written.
    void takeFromProcessor(int mode, int address, const ParamRecord& held);
    // Starts an undo step for the changes that follow, whatever they touch: a
    // snapshot, or the start or extension of a burst.
    void beginStep(UndoStep step);

    // Returns the id that removes the listener again.
    int addListener(Listener listener);
    void removeListener(int id);

    // Undo and redo restore through this same road; true when a snapshot was restored.
    bool undo();
    bool redo();

    const ParamStore& store() const { return m_store; }
    const ViewState& view() const { return m_view; }
    UndoHistory* history() { return m_undo; }

private:
    bool shared(int address) const;
    void recordStep(int address, UndoStep step);
    void changed(int address, int mode) const;

    ParamStore& m_store;
    const ViewState& m_view;
    ParamWriter& m_writer;
    UndoHistory* m_undo;
    std::vector<std::pair<int, Listener>> m_listeners;
    int m_nextListener = 0;
};

} // namespace quorix::core
