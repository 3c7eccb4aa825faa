#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace quorix::link {

using Bytes = std::vector<std::uint8_t>;

enum class Command : std::uint8_t {
    WriteParam = 0,
    ReadBlockBack = 1,
    WriteBlock = 2,
    StoreMode = 3,
    Password = 8,
    ReadStatus = 9,
    ReadBlock = 11,
    ReadDone = 14,
    Handshake = 250,
};

inline constexpr std::uint8_t kFrameStart = 0xFE;
inline constexpr std::uint8_t kKeepAlive = 0xFF;
inline constexpr std::uint8_t kToneReset = 0xFD;
inline constexpr std::uint8_t kFiller = 0x23;       // "#"
inline constexpr std::size_t kMaxFrameLength = 252; // 253..255 are signal bytes
inline constexpr int kBandOffOffset = 30000;
inline constexpr int kDigitBase = 250; // a value byte is a base-250 digit
inline constexpr int kMaxWireValue = kDigitBase * kDigitBase - 1;

std::string_view CommandName(Command command);

// Sum of the bytes, low 8 bits, with FD..FF folded to 00 so it never looks like a signal.
std::uint8_t FrameChecksum(std::span<const std::uint8_t> bytes);

// A value 0..62499 as two base-250 digits, high first.
void AppendWireValue(Bytes& out, int value);
int ReadPayloadValue(std::span<const std::uint8_t> bytes, std::size_t position);

// "FE FA 23 23 23 0F" "ZQV_CTRL" checksum.
Bytes HandshakeFrame();

} // namespace quorix::link
