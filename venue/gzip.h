#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quorix::venue {

// A push's configuration travels gzipped: 252 000 bytes of records come to a
// few kilobytes, so the console, the broker and each agent move that instead
// of 336 KB of base64 per room. gzip rather than a raw zlib stream, so a
// script can make one with `gzip -c`.
std::vector<std::uint8_t> Gzip(std::span<const std::uint8_t> bytes);

// One whole gzip member and nothing after it, unpacking to at most `largest`
// bytes: a corrupt stream, a truncated one or one that would unpack to more
// (a small payload must not fill an agent's memory) gives nothing.
std::optional<std::vector<std::uint8_t>> Gunzip(std::span<const std::uint8_t> packed, std::size_t largest);

} // namespace quorix::venue
