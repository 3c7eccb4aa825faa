#pragma once

#include "core/dance_set_origin.h"
#include "core/param_store.h"
#include "core/undo_history.h"
#include "core/view_state.h"

#include <functional>
#include <string_view>

namespace quorix::ui {

inline constexpr std::string_view kModeLockedMessage = "处于自动控制时，演唱与劲舞模式不可以手动切换!";

// What switching modes asks of the window.
class ModeHost {
public:
    virtual ~ModeHost() = default;
    // The buttons' shown states: singing/dance pressed, manual/automatic pressed.
    virtual void showModeButtons(int singing, int dance) = 0;
    virtual void showAutoButtons(int manual, int automatic) = 0;
    virtual void RefreshControls() = 0;
    virtual void HighlightBoundSlider() = 0;
    virtual void showMessage(std::string_view text) = 0;
    virtual bool askYesNo(std::string_view question) = 0;
    // Edits are blocked while a copy writes to the processor.
    virtual void setEditingBlocked(bool blocked) = 0;
};

// The mode buttons, automatic mode control, mode copy, undo and redo: every
// action that acts on a whole mode of the store.
class ModeControl {
public:
    ModeControl(core::ParamStore& store, core::ViewState& view, core::UndoHistory& undo, ModeHost& host,
                std::function<bool()> linkOnline, std::function<bool(int address)> writeParam);

    void ModeButtonClicked(int mode);
    // cmdBassAutoControl2 k: 0 manual, 1 automatic.
    void AutoControlClicked(int automatic);
    void ModeCopyClicked();
    void UndoClicked();
    void RedoClicked();
    // The mode and control flag were read from the processor.
    void showLoadedState();
    bool copying() const { return m_copying; }

private:
    bool send(int address);
    // Undo or redo with the window blocked, then the screen refreshed.
    void restore(const std::function<bool(const core::UndoHistory::SendFn&)>& step);

    core::ParamStore& m_store;
    core::ViewState& m_view;
    core::UndoHistory& m_undo;
    ModeHost& m_host;
    std::function<bool()> m_linkOnline;
    std::function<bool(int)> m_writeParam;
    core::DanceSetOrigin m_danceOrigin;
    bool m_copying = false;
};

} // namespace quorix::ui
