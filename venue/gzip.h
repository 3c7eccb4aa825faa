#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace quorix::venue {

// A push's configuration travels gzipped: 252 000 bytes of records come to a
// few kilobytes, so the console, the broker and each agent move that instead
// of 336 KB of base64 per room. gzip rather than a raw zlib stream, so a
// script can make one with `gzip -c`.
std::vector<std::uint8_t> Gzip(std::span<const std::uint8_t> bytes);

enum class GunzipFault {
    None,
    NotGzip,      // no gzip header, or the stream is corrupt (a checksum included)
    CutShort,     // the stream ends before its end
    TooLong,      // it unpacks to more than allowed
    DataAfterEnd, // something follows the stream (another member included)
};
struct Unpacked {
    std::vector<std::uint8_t> bytes;
    GunzipFault fault = GunzipFault::None;
};

// One whole gzip member and nothing after it, unpacking to at most `largest`
// bytes: a small payload must not fill an agent's memory, so unpacking stops
// there. On a fault `bytes` is empty.
Unpacked Gunzip(std::span<const std::uint8_t> packed, std::size_t largest);

} // namespace quorix::venue
