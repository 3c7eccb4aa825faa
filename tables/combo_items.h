#pragma once

#include <span>
#include <string_view>

namespace quorix::tables {

// The fixed item texts (UTF-8) of the drop-down by ShowType 0..11, read by the
// drop-down control and by the report, which prints what the control shows.
std::span<const std::string_view> ComboItems(int showType);
// The drop-downs whose value is the item's number from one rather than from zero.
bool ComboCountsFromOne(int showType);
// The text a drop-down shows for a value: its item, the value held to the list as the control holds it.
std::string_view ComboText(int showType, int value);

} // namespace quorix::tables
