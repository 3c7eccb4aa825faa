#pragma once

#include "core/param_store.h"

#include <string>
#include <vector>

namespace quorix::report {

// One parameter of a page as the report lists it: its label and the value the
// console shows, in the singing mode and, where it differs, in the dance mode.
struct ReportRow {
    std::string name;
    std::string singing;
    std::string dance; // empty where both modes agree
};

// Every defined parameter of menu kind `kind` (0..7), in address order.
std::vector<ReportRow> PageRows(const core::ParamStore& store, int kind);

// The page's tab label ("音乐", "主输出", ...).
std::string PageName(int kind);

} // namespace quorix::report
