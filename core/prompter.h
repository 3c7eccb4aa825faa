#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace quorix::core {

// How grave a message is: the icon it is shown with.
enum class Severity { Information, Warning, Error };

// A file to ask for: the dialog's caption, the files it offers ("PNG (*.png)"),
// whether the file is to be written, and the folder it starts in (empty: the toolkit's choice).
struct FileRequest {
    std::string_view caption;
    std::string_view filter;
    bool save = false;
    std::filesystem::path folder = {};
};

// The console's modal questions and messages, so that every flow can be driven
// in tests without a message box waiting for a click.
class Prompter {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompter() = default;
    virtual bool askYesNo(std::string_view question) = 0;
    // A question the user may also withdraw (取消, Escape).
    virtual Answer askYesNoCancel(std::string_view question) = 0;
    virtual void showMessage(std::string_view text, Severity severity) = 0;
    // Nothing when the user cancels. A file to write that exists was confirmed by the user.
    virtual std::optional<std::filesystem::path> askFile(const FileRequest& request) = 0;
};

} // namespace quorix::core
