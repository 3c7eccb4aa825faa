#pragma once

#include "core/param_store.h"
#include "core/processor_record.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorix::report {

// One parameter of a page as the report lists it: its label and the value the
// console shows, in the singing mode and, where it differs, in the dance mode.
struct ReportRow {
    std::string name;
    std::string singing;
    std::string dance; // empty where both modes agree
};

// Marks a value the processor was never read for: the console's own.
inline constexpr std::string_view kNeverReadMark = " ＊";
inline constexpr std::string_view kNeverReadNote =
    "标有“＊”的数值从未从处理器读取，是本软件自己的值，不一定是处理器中的值。";

// Every defined parameter of menu kind `kind` (0..7), in address order. With
// the processor record, a value whose copy was never read carries kNeverReadMark.
std::vector<ReportRow> PageRows(const core::ParamStore& store, int kind, const core::ProcessorRecord* record = nullptr);

} // namespace quorix::report
