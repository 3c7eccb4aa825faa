#include "control_label.h"

#include "core/address_map.h"

namespace quorix::tables {

std::string_view ControlLabel(const ControlRow& row)
{
    if (!row.label.empty() || row.address == kUnbound)
        return row.label;
    const int kind = core::KindOfAddress(row.address);
    return kind < 0 ? std::string_view{} : core::ParamName(kind, row.address - core::FlatAddress(kind, 0));
}

} // namespace quorix::tables
