#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quorix::core {

// A decimal or "&H" hexadecimal number, as the controls' Tag texts write them.
std::optional<std::int64_t> ParseTagNumber(std::string_view text);

// "Group,3,&HF" -> 3 * 256 + 15. Anything that is not exactly three comma-separated
// parts with numeric second and third parts gives -1, so the control binds nothing.
std::int32_t ParseTagAddress(std::string_view tag);

} // namespace quorix::core
