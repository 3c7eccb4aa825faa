#include "param_editor.h"

#include "undo_history.h"

namespace quorix::core {

ParamEditor::ParamEditor(ParamStore& store, const ViewState& view, ParamWriter& writer, UndoHistory* undo)
    : m_store(store), m_view(view), m_writer(writer), m_undo(undo)
{}

bool ParamEditor::shared(int address) const
{
    return address < kFirstGlobalAddress && !m_store.at(0, address).perMode;
}

void ParamEditor::recordStep(int address, UndoStep step)
{
    if (address < kFirstGlobalAddress)
        beginStep(step);
}

void ParamEditor::edit(int address, UndoStep step, const Change& change)
{
    recordStep(address, step);
    apply(address, change);
    write(address);
}

void ParamEditor::setValue(int address, int value, UndoStep step)
{
    edit(address, step, [value](ParamRecord& r) { r.value = value; });
}

void ParamEditor::apply(int address, const Change& change)
{
    const int mode = ModeForAddress(address, m_view.currentMode);
    change(m_store.at(mode, address));
    changed(address, mode);
    if (shared(address)) {
        change(m_store.at(1 - mode, address));
        changed(address, 1 - mode);
    }
}

int ParamEditor::addListener(Listener listener)
{
    m_listeners.emplace_back(++m_nextListener, std::move(listener));
    return m_nextListener;
}

void ParamEditor::removeListener(int id)
{
    std::erase_if(m_listeners, [id](const auto& l) { return l.first == id; });
}

void ParamEditor::changed(int address, int mode) const
{
    for (const auto& [id, listener] : m_listeners)
        listener(address, mode);
}

void ParamEditor::setCopy(int mode, int address, const ParamRecord& record)
{
    const int copy = ModeForAddress(address, mode);
    m_store.at(copy, address) = record;
    changed(address, copy);
}

void ParamEditor::takeFromProcessor(int mode, int address, const ParamRecord& held)
{
    const int first = ModeForAddress(address, mode);
    setCopy(first, address, held);
    if (shared(address))
        setCopy(1 - first, address, held);
}

void ParamEditor::beginStep(UndoStep step)
{
    if (!m_undo)
        return;
    if (step == UndoStep::Snapshot)
        m_undo->pushSnapshot();
    else if (step == UndoStep::Burst)
        m_undo->beginUndoStep();
}

void ParamEditor::write(int address)
{
    if (shared(address)) {
        m_writer.queueWrite(0, address);
        m_writer.queueWrite(1, address);
        return;
    }
    m_writer.queueWrite(ModeForAddress(address, m_view.currentMode), address);
}

void ParamEditor::writeMode(int mode, int address)
{
    m_writer.queueWrite(ModeForAddress(address, mode), address);
}

bool ParamEditor::undo()
{
    return m_undo && m_undo->undo(*this);
}

bool ParamEditor::redo()
{
    return m_undo && m_undo->redo(*this);
}

} // namespace quorix::core
