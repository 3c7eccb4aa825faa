#include "undo_history.h"

#include "param_editor.h"

#include <algorithm>

namespace quorix::core {

UndoHistory::UndoHistory(const ParamStore& store, const ViewState& view, Scheduler& scheduler)
    : m_store(store), m_view(view), m_burstTimer(scheduler.createTimer(kBurstMs, true, [this] { endBurst(); }))
{
    for (Snapshot& s : m_ring)
        s.resize(kAddresses);
}

void UndoHistory::resetUndo()
{
    m_undoPos = -1;
    m_redoLimit = -1;
}

UndoHistory::Snapshot& UndoHistory::slot(int position)
{
    return m_ring[static_cast<std::size_t>((m_ringStart + position) % kSlots)];
}

void UndoHistory::push()
{
    if (m_undoPos >= kSlots - 1)
        m_ringStart = (m_ringStart + 1) % kSlots; // the oldest state is dropped
    else
        ++m_undoPos;
    takeSnapshot(slot(m_undoPos));
    m_redoLimit = std::max(m_redoLimit, m_undoPos);
}

void UndoHistory::pushSnapshot()
{
    push();
    m_redoLimit = m_undoPos;
}

void UndoHistory::beginUndoStep()
{
    if (!m_undoBurst) {
        m_undoBurst = true;
        pushSnapshot();
    }
    m_burstTimer->start();
}

void UndoHistory::endBurst()
{
    m_undoBurst = false;
}

void UndoHistory::takeSnapshot(Snapshot& snapshot) const
{
    for (int a = 0; a < kAddresses; ++a) {
        const ParamRecord& r = m_store.at(m_view.currentMode, a);
        snapshot[static_cast<std::size_t>(a)] = {r.value, r.band};
    }
}

void UndoHistory::restoreSnapshot(int position, ParamEditor& editor)
{
    // The restore works from its own copy: whatever the edit path sets off may
    // reuse this slot.
    const Snapshot snapshot = slot(position);
    const int mode = m_view.currentMode;
    for (int a = 0; a < kAddresses; ++a) {
        const ParamRecord& r = m_store.at(mode, a);
        if (!r.defined)
            continue;
        const Fields f = snapshot[static_cast<std::size_t>(a)];
        const bool isBand = r.paramClass == ParamClass::EqBand;
        if (isBand ? r.band == f.band : r.value == f.value)
            continue;
        editor.edit(a, ParamEditor::UndoStep::None, [&f, isBand](ParamRecord& target) {
            if (isBand)
                target.band = f.band;
            else
                target.value = f.value;
        });
    }
}

bool UndoHistory::undo(ParamEditor& editor)
{
    if (m_undoPos == -1)
        return false;
    // The next change after an undo starts a step of its own, so it cuts the redo chain.
    m_burstTimer->stop();
    m_undoBurst = false;
    push(); // keeps the state being left, so redo can return to it
    --m_undoPos;
    restoreSnapshot(m_undoPos, editor);
    --m_undoPos;
    return true;
}

bool UndoHistory::redo(ParamEditor& editor)
{
    if (!canRedo())
        return false;
    m_burstTimer->stop();
    m_undoBurst = false;
    restoreSnapshot(m_undoPos + 2, editor);
    ++m_undoPos;
    return true;
}

} // namespace quorix::core
