#include "protocol_trace.h"

#include <cstdio>

namespace quorix::link {

void ProtocolTrace::sent(std::int64_t timeMs, std::string_view name, std::span<const std::uint8_t> bytes)
{
    line(timeMs, "TX", name, bytes, name == CommandName(Command::Password));
}

void ProtocolTrace::received(std::int64_t timeMs, std::string_view name, std::span<const std::uint8_t> bytes)
{
    line(timeMs, "RX", name, bytes, false);
}

void ProtocolTrace::note(std::int64_t timeMs, std::string_view text)
{
    char head[32];
    std::snprintf(head, sizeof head, "%8lld -- ", static_cast<long long>(timeMs));
    m_out << head << text << '\n';
    m_out.flush();
}

void ProtocolTrace::line(std::int64_t timeMs, std::string_view direction, std::string_view name,
                         std::span<const std::uint8_t> bytes, bool masked)
{
    char head[64];
    std::snprintf(head, sizeof head, "%8lld %s %-14.*s", static_cast<long long>(timeMs), direction.data(),
                  static_cast<int>(name.size()), name.data());
    m_out << head;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char hex[4];
        // Password data sits between the 6-byte header and the checksum.
        if (masked && i >= 6)
            std::snprintf(hex, sizeof hex, " **");
        else
            std::snprintf(hex, sizeof hex, " %02X", bytes[i]);
        m_out << hex;
    }
    m_out << '\n';
    m_out.flush();
}

} // namespace quorix::link
