#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The processor's own reading of the wire: frame bytes, request codes, the
// checksum and base-250 values. Written independently of the console's link
// code, so a fault on either side shows up as a disagreement.
namespace quorix::sim::wire {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kStart = 0xFE;
inline constexpr std::uint8_t kKeepAlive = 0xFF;
inline constexpr std::uint8_t kToneReset = 0xFD;
inline constexpr std::uint8_t kFiller = 0x23;
inline constexpr int kDigitBase = 250; // a value digit is 0..249
inline constexpr int kLargestValue = kDigitBase * kDigitBase - 1;
inline constexpr int kBandOffOffset = 30000;    // added to a switched-off band's frequency
inline constexpr std::size_t kHeaderLength = 6; // start, request, mode, kind, address, length
inline constexpr std::size_t kShortestRequest = kHeaderLength + 1;
inline constexpr std::size_t kLongestFrame = 252; // 253..255 are signal bytes

enum Request : std::uint8_t {
    WriteParam = 0,
    ReadBlockBack = 1,
    WriteBlock = 2,
    StoreMode = 3,
    Password = 8,
    ReadStatus = 9,
    ReadBlock = 11,
    ReadDone = 14,
    Handshake = 0xFA,
};

// Low byte of the sum; FD..FF would look like signal bytes, so they become 00.
std::uint8_t Checksum(std::span<const std::uint8_t> bytes);

// Two base-250 digits, high first. Append throws std::out_of_range outside 0..62499.
void AppendValue(Bytes& out, int value);
int ValueAt(std::span<const std::uint8_t> bytes, std::size_t position);

// FE, total length, payload, checksum.
Bytes ReplyFrame(std::span<const std::uint8_t> payload);

} // namespace quorix::sim::wire
