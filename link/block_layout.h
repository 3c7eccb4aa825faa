#pragma once

#include "frame.h"

#include "core/param_record.h"

#include <cstddef>
#include <span>

namespace quorix::link {

// How a record travels: an equaliser band as 8 bytes (shape, slope, frequency
// with the band-off offset, gain, Q), anything else as its value in 2 bytes.
// For blocks, whether an address is a band comes from the console's own address
// map, never from a record that may have been read from a file.
bool TravelsAsBand(int address);
std::size_t BlockDataSize(int kind);

void AppendRecord(Bytes& out, const core::ParamRecord& record, bool band);
// Decodes one record at `position` and returns the position after it.
std::size_t DecodeRecord(std::span<const std::uint8_t> payload, std::size_t position, core::ParamRecord& record, bool band);

} // namespace quorix::link
