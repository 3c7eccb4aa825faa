#pragma once

#include "param_editor.h"
#include "param_store.h"
#include "param_writer.h"
#include "scheduler.h"
#include "undo_history.h"
#include "view_state.h"

namespace quorix::core {

// The session's one writer of the store: the edit path (mode rule, mirror, one
// queued write, change notifications to the views) with the undo history it
// records into. It outlives the windows, which edit and listen through it; the
// store is handed out for reading only.
class TuningDocument {
public:
    TuningDocument(ParamStore& store, const ViewState& view, ParamWriter& writer, Scheduler& scheduler)
        : m_undo(store, view, scheduler), m_edits(store, view, writer, &m_undo)
    {}

    ParamEditor& edits() { return m_edits; }
    UndoHistory& history() { return m_undo; }
    const ParamStore& store() const { return m_edits.store(); }

private:
    UndoHistory m_undo;
    ParamEditor m_edits;
};

} // namespace quorix::core
