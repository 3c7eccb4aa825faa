#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace quorix::sim {

inline constexpr int kPresetCount = 8; // KTV, PRO, SPCH, USER1..USER5
inline constexpr int kFirstUserPreset = 3;
inline constexpr int kDanceSetPreset = 11;      // a block preset number of 11 or more moves the dance set
inline constexpr std::size_t kLockDigits = 4;   // password kind 0
inline constexpr std::size_t kRightsDigits = 6; // password kind 2

// Why the processor would not act on a well-framed request (FE .. checksum,
// checksum already checked), or an empty text when it understands it.
std::string RequestRefusal(std::span<const std::uint8_t> frame);

} // namespace quorix::sim
