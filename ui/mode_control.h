#pragma once

#include "core/param_editor.h"
#include "core/processor_record.h"
#include "core/prompter.h"
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
    // The mode on show or automatic control changed: the screen shows the store anew.
    virtual void showModeValues() = 0;
    // Shows page `kind` with the store's values, as its page button does.
    virtual void showPage(int kind) = 0;
    virtual void highlightBoundSlider() = 0;
    // Edits are blocked while a copy writes to the processor.
    virtual void setEditingBlocked(bool blocked) = 0;
};

// The mode buttons, automatic mode control, mode copy, undo and redo: every
// action that acts on a whole mode of the store.
class ModeControl {
public:
    ModeControl(core::ParamEditor& edits, core::ViewState& view, const core::ProcessorRecord& record, ModeHost& host,
                core::Prompter& prompter);

    void modeButtonClicked(int mode);
    // cmdBassAutoControl2 k: 0 manual, 1 automatic.
    void autoControlClicked(int automatic);
    void modeCopyClicked();
    // Undo and redo show the page they changed when it is not the one on show.
    void undoClicked();
    void redoClicked();
    // The mode and control flag were read from the processor.
    void showLoadedState();
    bool copying() const { return m_copying; }

private:
    void resetUndo();
    void restore(const std::function<bool()>& step);

    core::ParamEditor& m_edits;
    core::ViewState& m_view;
    ModeHost& m_host;
    core::Prompter& m_prompter;
    const core::ProcessorRecord& m_record;
    bool m_copying = false;
};

} // namespace quorix::ui
