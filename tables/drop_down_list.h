#pragma once

#include "control_row.h"

namespace quorix::tables {

// The list (ShowType) a drop-down shows: its own where its row names one, else
// the list that names its parameter's values.
int DropDownList(const ControlRow& row);

} // namespace quorix::tables
