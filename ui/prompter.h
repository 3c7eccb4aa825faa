#pragma once

#include "message_icon.h"

#include <filesystem>
#include <optional>
#include <string_view>

namespace quorix::ui {

// The console's modal questions and messages, so that windows can be driven
// in tests without a message box waiting for a click.
class Prompter {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompter() = default;
    virtual bool askYesNo(std::string_view question) = 0;
    // A question the user may also withdraw (取消, Escape): the fakes of tests answer it as askYesNo.
    virtual Answer askYesNoCancel(std::string_view question) { return askYesNo(question) ? Answer::Yes : Answer::No; }
    virtual void showMessage(std::string_view text, MessageIcon icon) = 0;
    // A file to read (or, with `save`, to write); nothing when the user cancels.
    // `filter` names the files offered, as "PNG (*.png)".
    virtual std::optional<std::filesystem::path> askFile(std::string_view /*caption*/, std::string_view /*filter*/,
                                                         bool /*save*/)
    {
        return std::nullopt;
    }
};

} // namespace quorix::ui
