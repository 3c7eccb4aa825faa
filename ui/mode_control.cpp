#include "mode_control.h"

#include "core/common_addresses.h"
#include "core/mode_copy.h"
#include "core/undo_history.h"

namespace quorix::ui {

namespace {

// The page a restore changed: the one on show when anything of it changed, else the first that did.
int ChangedPage(const core::ParamStore& before, const core::ParamStore& after, int shown)
{
    int first = -1;
    for (int mode = 0; mode < 2; ++mode)
        for (int a = 0; a < core::kFirstGlobalAddress; ++a) {
            if (before.at(mode, a) == after.at(mode, a))
                continue;
            const int kind = a / 256;
            if (kind == shown)
                return shown;
            if (first < 0 || kind < first)
                first = kind;
        }
    return first < 0 ? shown : first;
}

} // namespace

ModeControl::ModeControl(core::ParamEditor& edits, core::ViewState& view, const core::ProcessorRecord& record,
                         ModeHost& host, core::Prompter& prompter)
    : m_edits(edits), m_view(view), m_host(host), m_prompter(prompter), m_record(record)
{}

// The snapshots belong to one mode.
void ModeControl::resetUndo()
{
    if (core::UndoHistory* undo = m_edits.history())
        undo->resetUndo();
}

void ModeControl::modeButtonClicked(int mode)
{
    if (m_view.autoModeControl == 1) {
        m_prompter.showMessage(kModeLockedMessage, core::Severity::Warning);
        return;
    }
    m_host.showModeButtons(mode == 0 ? 1 : 0, mode == 1 ? 1 : 0);
    m_view.currentMode = static_cast<std::uint8_t>(mode);
    m_edits.setValue(core::kModeAddress, mode);
    resetUndo();
    m_host.showModeValues();
    m_host.highlightBoundSlider();
}

void ModeControl::autoControlClicked(int automatic)
{
    m_view.autoModeControl = static_cast<std::uint8_t>(automatic);
    showLoadedState();
    m_edits.setValue(core::kAutoModeAddress, automatic);
    resetUndo();
    m_host.showModeValues();
}

void ModeControl::showLoadedState()
{
    const int automatic = m_view.autoModeControl;
    m_host.showAutoButtons(1 - automatic, automatic);
    if (automatic == 1)
        m_host.showModeButtons(0, 0);
    else
        m_host.showModeButtons(1 - m_view.currentMode, m_view.currentMode);
}

void ModeControl::modeCopyClicked()
{
    if (m_copying)
        return;
    m_copying = true;
    m_host.setEditingBlocked(true);
    core::CopyMode(m_edits, m_view, m_record, m_prompter, [this](int address) {
        m_edits.writeMode(m_view.currentMode, address);
        return true;
    });
    m_host.setEditingBlocked(false);
    m_copying = false;
}

void ModeControl::undoClicked()
{
    restore([this] { return m_edits.undo(); });
}

void ModeControl::redoClicked()
{
    restore([this] { return m_edits.redo(); });
}

void ModeControl::restore(const std::function<bool()>& step)
{
    const core::ParamStore before = m_edits.store();
    if (!step())
        return;
    // The restored values show themselves; a change on another page brings that page on show.
    const int page = ChangedPage(before, m_edits.store(), m_view.currentKind);
    if (page != m_view.currentKind)
        m_host.showPage(page);
}

} // namespace quorix::ui
