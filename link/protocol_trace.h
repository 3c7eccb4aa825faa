#pragma once

#include "frame.h"
#include "trace_ring.h"

#include <cstdint>
#include <ostream>
#include <span>
#include <string_view>

namespace quorix::link {

// One line per frame or signal byte: time in ms, direction, command name, hex
// bytes. Password digits (and the checksum that would reveal them) are masked.
// The lines go to the trace file when there is one, and to the ring when there is one.
class ProtocolTrace {
public:
    explicit ProtocolTrace(std::ostream& out) : m_out(&out) {}
    ProtocolTrace(std::ostream* out, TraceRing* ring) : m_out(out), m_ring(ring) {}

    void sent(std::int64_t timeMs, std::string_view name, std::span<const std::uint8_t> bytes);
    void received(std::int64_t timeMs, std::string_view name, std::span<const std::uint8_t> bytes);
    // An event of the transport that carries no bytes, such as a refused device.
    void note(std::int64_t timeMs, std::string_view text);

private:
    void line(std::int64_t timeMs, TraceDirection direction, std::string_view name, std::span<const std::uint8_t> bytes,
              std::size_t maskedFrom);

    std::ostream* m_out;
    TraceRing* m_ring = nullptr;
};

} // namespace quorix::link
