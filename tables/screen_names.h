#pragma once

#include "core/param_diff.h"

#include <string>
#include <vector>

namespace quorix::tables {

// The screen's name of a menu kind's parameters: the page's tab label for
// kinds 0 to 7 ("音乐", "主输出", ...), the recording window's two sides, and
// the common settings.
std::string PageName(int kind);

// A parameter as the screen names it: "0x02 EQ3" from the address map, or for
// a parameter the map leaves unnamed (the common settings) the label of the
// first control bound to it in the windows' tables; the address alone otherwise.
std::string ParamScreenLabel(int address);

// The mode of a parameter copy as the screen names it: "演唱" or "劲舞", and
// "—" for the processor-wide settings, which have one copy.
std::string ScreenModeName(int mode, int address);

// What two stores hold differently in the set a block transfer moves, one line
// per field in the screen's names: "音乐 演唱 0x02 EQ3 gain: 1.0dB -> 0.0dB".
std::vector<std::string> ScreenDifferenceLines(const std::vector<core::ParamDifference>& differences);

} // namespace quorix::tables
