#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quorix::link {

enum class TraceDirection { Sent, Received, Note };

// One line of the protocol trace: time in ms, direction, command name, hex
// bytes; a note carries text instead of a name and bytes. From byte
// `maskedFrom` on, the bytes print as "**": password digits, and the checksum
// that would reveal them.
std::string FormatTraceLine(std::int64_t timeMs, TraceDirection direction, std::string_view name,
                            std::span<const std::uint8_t> bytes, std::size_t maskedFrom);

// Where a frame's password digits start: the byte after the 6-byte header.
inline constexpr std::size_t kPasswordDataOffset = 6;
inline constexpr std::size_t kNothingMasked = static_cast<std::size_t>(-1);

} // namespace quorix::link
