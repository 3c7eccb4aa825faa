#pragma once

#include "frame.h"

#include "core/param_record.h"

#include <array>
#include <cstddef>
#include <span>

namespace quorix::link {

// The kinds the block commands carry: per mode, and processor-wide (read at mode index 0).
inline constexpr std::array<int, 5> kBlockModeKinds = {0, 1, 3, 4, 7};
inline constexpr std::array<int, 2> kBlockGlobalKinds = {8, 10};
// A block preset number of 11 or more moves the dance set of the preset in use.
inline constexpr int kDanceSetPreset = 11;

// How a record travels: an equaliser band as 8 bytes (shape, slope, frequency
// with the band-off offset, gain, Q), anything else as its value in 2 bytes.
// For blocks, whether an address is a band comes from the console's own address
// map, never from a record that may have been read from a file.
bool TravelsAsBand(int address);
std::size_t BlockDataSize(int kind);

void AppendRecord(Bytes& out, const core::ParamRecord& record, bool band);
// Decodes one record at `position` and returns the position after it.
std::size_t DecodeRecord(std::span<const std::uint8_t> payload, std::size_t position, core::ParamRecord& record,
                         bool band);

} // namespace quorix::link
