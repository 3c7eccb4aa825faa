#pragma once

#include <string>

namespace quorix::tables {

// The screen's name of a menu kind's parameters: the page's tab label for
// kinds 0 to 7 ("音乐", "主输出", ...), the recording window's two sides, and
// the common settings.
std::string PageName(int kind);

// A parameter as the screen names it: "0x02 EQ3" from the address map, or for
// a parameter the map leaves unnamed (the common settings) the label of the
// first control bound to it in the windows' tables; the address alone otherwise.
std::string ParamScreenLabel(int address);

} // namespace quorix::tables
