#pragma once

#include "param_editor.h"
#include "param_store.h"
#include "processor_record.h"
#include "prompter.h"
#include "view_state.h"

#include <functional>
#include <string_view>

namespace quorix::core {

inline constexpr std::string_view kCopySingingToDanceQuestion = "确认要将当前演唱模式数据复制到劲舞模式吗？";
inline constexpr std::string_view kCopyDanceToSingingQuestion = "确认要将当前劲舞模式数据复制到演唱模式吗？";
inline constexpr std::string_view kCopyDoneMessage = "完成!";
inline constexpr std::string_view kUnreadDanceCopyQuestion =
    "劲舞模式的数据从未从设备读取，当前显示的是本软件的默认值，并不是设备中的劲舞模式数据。\n"
    "复制后，设备中演唱模式的数据将被这些默认值覆盖。确认仍要将劲舞模式数据复制到演唱模式吗？";

// Writes one parameter of the mode in view.currentMode; false on failure.
// Offline the link keeps it as an edit the processor lacks.
using SendParam = std::function<bool(int address)>;

// Copies the current mode's records of flat addresses 0..2047 onto the other
// mode through the edit path and writes every mode-specific parameter of the
// other mode, after asking the user. Returns whether the copy ran to completion.
bool CopyMode(ParamEditor& edits, ViewState& view, const ProcessorRecord& record, Prompter& prompter,
              const SendParam& send);

} // namespace quorix::core
