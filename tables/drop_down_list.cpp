#include "drop_down_list.h"

#include "core/param_description.h"

namespace quorix::tables {

int DropDownList(const ControlRow& row)
{
    return row.showType != kParamList ? row.showType : core::DescribeParam(row.address).list;
}

} // namespace quorix::tables
