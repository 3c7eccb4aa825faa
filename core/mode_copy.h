#pragma once

#include "param_editor.h"
#include "param_store.h"
#include "view_state.h"

#include <functional>
#include <string_view>

namespace quorix::core {

// What CopyMode needs from the window and the link.
struct CopyModeHooks {
    std::function<bool(std::string_view question)> askYesNo;
    // Writes one parameter of the mode in view.CurrentMode; false on failure.
    // Offline the link keeps it as an edit the processor lacks.
    std::function<bool(int address)> send;
    std::function<void(std::string_view message)> showMessage;
};

inline constexpr std::string_view kCopySingingToDanceQuestion = "确认要将当前演唱模式数据复制到劲舞模式吗？";
inline constexpr std::string_view kCopyDanceToSingingQuestion = "确认要将当前劲舞模式数据复制到演唱模式吗？";
inline constexpr std::string_view kCopyDoneMessage = "完成!";

// Copies the current mode's records of flat addresses 0..2047 onto the other
// mode through the edit path and writes every mode-specific parameter of the
// other mode. Returns whether the copy ran to completion.
bool CopyMode(ParamEditor& edits, ViewState& view, const CopyModeHooks& hooks);

} // namespace quorix::core
