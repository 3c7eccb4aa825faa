#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::venue {

// Standard base64 (RFC 4648, with padding), as a .quorix file travels in a payload.
std::string EncodeBase64(const std::vector<std::uint8_t>& bytes);
// Nothing but the standard alphabet with its padding is accepted: no line
// breaks, no URL alphabet, no bits left over in the last character.
std::optional<std::vector<std::uint8_t>> DecodeBase64(std::string_view text);

} // namespace quorix::venue
