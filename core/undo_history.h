#pragma once

#include "param_store.h"
#include "scheduler.h"
#include "view_state.h"

#include <array>
#include <memory>
#include <vector>

namespace quorix::core {

class ParamEditor;

// Undo and redo of the mode-dependent parameters (flat addresses 0..2047) as a
// ring of 30 whole-mode snapshots. Restoring a snapshot writes back, through the
// edit path, only the parameters that differ.
class UndoHistory {
public:
    static constexpr int kSlots = 30;
    static constexpr int kAddresses = kFirstGlobalAddress;
    static constexpr int kBurstMs = 1000;

    UndoHistory(const ParamStore& store, const ViewState& view, Scheduler& scheduler);

    void resetUndo();
    // Records the state before a new change. A new change ends the redo chain.
    void pushSnapshot();
    // Starts or extends a run of changes that forms one undo step.
    void beginUndoStep();
    // Both return whether they restored a snapshot (the caller then refreshes the screen).
    bool undo(ParamEditor& editor);
    bool redo(ParamEditor& editor);

    int undoPos() const { return m_undoPos; }
    int redoLimit() const { return m_redoLimit; }
    bool undoBurst() const { return m_undoBurst; }
    bool canUndo() const { return m_undoPos >= 0; }
    bool canRedo() const { return m_redoLimit >= 0 && m_redoLimit >= m_undoPos + 2; }

private:
    struct Fields {
        std::int32_t value;
        Band band;
    };
    using Snapshot = std::vector<Fields>;

    void push();
    void takeSnapshot(Snapshot& slot) const;
    void restoreSnapshot(int position, ParamEditor& editor);
    Snapshot& slot(int position);
    void endBurst();

    const ParamStore& m_store;
    const ViewState& m_view;
    std::unique_ptr<Timer> m_burstTimer;
    std::array<Snapshot, kSlots> m_ring;
    int m_ringStart = 0; // ring slot holding position 0, so a full ring drops its oldest without copying
    int m_undoPos = -1;
    int m_redoLimit = -1;
    bool m_undoBurst = false;
};

} // namespace quorix::core
