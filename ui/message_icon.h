#pragma once

namespace quorix::ui {

// The standard icon of a message box.
enum class MessageIcon { Information, Exclamation, Warning, Critical };

} // namespace quorix::ui
