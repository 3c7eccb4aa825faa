#include "page_name.h"

#include "tuning_window_table.h"

namespace quorix::tables {

std::string PageName(int kind)
{
    switch (kind) {
    case 8: return "左录音";
    case 9: return "右录音";
    case 10: return "公共设置";
    default: break;
    }
    for (const ControlRow& row : TuningWindowTable())
        if (row.array == ControlArray::CmdPage && row.index == kind)
            return std::string(row.label);
    return std::to_string(kind);
}

} // namespace quorix::tables
