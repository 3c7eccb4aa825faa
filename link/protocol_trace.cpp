#include "protocol_trace.h"

namespace quorix::link {

void ProtocolTrace::sent(std::int64_t timeMs, std::string_view name, std::span<const std::uint8_t> bytes)
{
    line(timeMs, TraceDirection::Sent, name, bytes,
         name == CommandName(Command::Password) ? kPasswordDataOffset : kNothingMasked);
}

void ProtocolTrace::received(std::int64_t timeMs, std::string_view name, std::span<const std::uint8_t> bytes)
{
    line(timeMs, TraceDirection::Received, name, bytes, kNothingMasked);
}

void ProtocolTrace::note(std::int64_t timeMs, std::string_view text)
{
    line(timeMs, TraceDirection::Note, text, {}, kNothingMasked);
}

void ProtocolTrace::line(std::int64_t timeMs, TraceDirection direction, std::string_view name,
                         std::span<const std::uint8_t> bytes, std::size_t maskedFrom)
{
    if (m_ring)
        m_ring->add(timeMs, direction, name, bytes, maskedFrom);
    if (!m_out)
        return;
    *m_out << FormatTraceLine(timeMs, direction, name, bytes, maskedFrom);
    m_out->flush();
}

} // namespace quorix::link
