#pragma once

#include <string>

namespace quorix::tables {

// The screen's name of a menu kind's parameters: the page's tab label for
// kinds 0 to 7 ("音乐", "主输出", ...), the recording window's two sides, and
// the common settings.
std::string PageName(int kind);

} // namespace quorix::tables
