#include "mode_control.h"

#include "core/mode_copy.h"

namespace quorix::ui {

namespace {

constexpr int kModeAddress = 2560 + 0x1E;
constexpr int kAutoControlAddress = 2560 + 0x1F;

} // namespace

ModeControl::ModeControl(core::ParamStore& store, core::ViewState& view, core::UndoHistory& undo, ModeHost& host,
                         std::function<bool()> linkOnline, std::function<bool(int address)> writeParam)
    : m_store(store), m_view(view), m_undo(undo), m_host(host), m_linkOnline(std::move(linkOnline)),
      m_writeParam(std::move(writeParam)), m_danceOrigin(store)
{
}

bool ModeControl::send(int address)
{
    return !m_linkOnline() || m_writeParam(address);
}

void ModeControl::ModeButtonClicked(int mode)
{
    if (m_view.AutoModeControl == 1) {
        m_host.showMessage(kModeLockedMessage);
        return;
    }
    m_host.showModeButtons(mode == 0 ? 1 : 0, mode == 1 ? 1 : 0);
    m_view.CurrentMode = static_cast<std::uint8_t>(mode);
    m_store.at(0, kModeAddress).Value = mode;
    m_undo.ResetUndo();
    m_host.RefreshControls();
    m_host.HighlightBoundSlider();
    send(kModeAddress);
}

void ModeControl::AutoControlClicked(int automatic)
{
    m_view.AutoModeControl = static_cast<std::uint8_t>(automatic);
    showLoadedState();
    m_store.at(0, kAutoControlAddress).Value = automatic;
    m_undo.ResetUndo();
    m_host.RefreshControls();
    send(kAutoControlAddress);
}

void ModeControl::showLoadedState()
{
    const int automatic = m_view.AutoModeControl;
    m_host.showAutoButtons(1 - automatic, automatic);
    if (automatic == 1)
        m_host.showModeButtons(0, 0);
    else
        m_host.showModeButtons(1 - m_view.CurrentMode, m_view.CurrentMode);
}

void ModeControl::ModeCopyClicked()
{
    if (m_copying)
        return;
    m_copying = true;
    m_host.setEditingBlocked(true);
    const bool fromSinging = m_view.CurrentMode == 0;
    // Dance values that never came from the processor would silently replace its singing set.
    const bool unread = !fromSinging && !m_danceOrigin.pagesNeverRead(m_store).empty();
    const bool copied = core::CopyMode(
        m_store, m_view,
        {.askYesNo = [this, unread](std::string_view q) {
             return m_host.askYesNo(unread ? core::kUnreadDanceCopyQuestion : q);
         },
         .linkOnline = m_linkOnline,
         .send = m_writeParam,
         .showMessage = [this](std::string_view text) { m_host.showMessage(text); }});
    if (copied && fromSinging && m_linkOnline())
        m_danceOrigin.cameFromProcessor(m_store);
    m_host.setEditingBlocked(false);
    m_copying = false;
}

void ModeControl::UndoClicked()
{
    restore([this](const core::UndoHistory::SendFn& send) { return m_undo.Undo(send); });
}

void ModeControl::RedoClicked()
{
    restore([this](const core::UndoHistory::SendFn& send) { return m_undo.Redo(send); });
}

void ModeControl::restore(const std::function<bool(const core::UndoHistory::SendFn&)>& step)
{
    // The window stays disabled while the restored parameters are written.
    m_host.setEditingBlocked(true);
    const bool restored = step([this](int address) { return send(address); });
    m_host.setEditingBlocked(false);
    if (restored)
        m_host.RefreshControls();
}

} // namespace quorix::ui
