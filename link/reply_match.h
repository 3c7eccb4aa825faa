#pragma once

#include "frame.h"

#include <cstdint>
#include <span>
#include <string>

namespace quorix::link {

// The protocol carries no request ids, so a reply is recognised by its shape:
// a stale, duplicated or unasked frame must never end the request that waits.

// "QUORIX_" and the variant character.
bool IsHandshakeReply(std::span<const std::uint8_t> payload);

// Whether `payload` can be the reply to (command, address): an acknowledgement
// is two bytes echoing the command, a status two bytes naming a preset 0..7, a
// password answer two bytes, a block the size of its kind. A block reply of a
// size no other reply has is still taken, so that the read reports the wrong count.
bool ReplyFits(Command command, int address, std::span<const std::uint8_t> payload);

// Whether every field of a reply fits what a processor can hold: a block's
// bytes are base-250 digits and each record passes core::CheckRecord, as a
// configuration file's must. Noise can pass a one-byte checksum; these are the
// replies it makes. A block of the wrong size is left to the read, which reports it.
bool ReplyFieldsFit(Command command, int address, std::span<const std::uint8_t> payload);

// What a frame is by its shape alone, for the trace: "Handshake", "Block<kind>",
// "Short" (two bytes) or "Frame".
std::string ReplyShape(std::span<const std::uint8_t> payload);

} // namespace quorix::link
