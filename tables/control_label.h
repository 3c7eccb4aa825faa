#pragma once

#include "control_row.h"

#include <string_view>

namespace quorix::tables {

// The name a control shows: a control bound to a parameter is named by the
// parameter, so the window, the report, the comparison and the command line
// print one name for it; a choice of an option group and a control that edits
// no parameter carry their own label. Empty for a parameter without a name.
std::string_view ControlLabel(const ControlRow& row);

} // namespace quorix::tables
