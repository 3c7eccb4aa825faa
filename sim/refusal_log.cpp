#include "refusal_log.h"

#include <cstdio>
#include <string>

namespace quorix::sim {

void RefusalLog::add(std::string reason, std::span<const std::uint8_t> bytes)
{
    ++m_count;
    if (m_entries.size() < kKept)
        m_entries.push_back({std::move(reason), {bytes.begin(), bytes.end()}});
}

std::string RefusalLog::text() const
{
    std::string out;
    for (const Refusal& refusal : m_entries) {
        out += refusal.reason + ':';
        for (std::uint8_t b : refusal.bytes) {
            char hex[4];
            std::snprintf(hex, sizeof hex, " %02X", b);
            out += hex;
        }
        out += '\n';
    }
    if (static_cast<std::size_t>(m_count) > m_entries.size())
        out += "and " + std::to_string(static_cast<std::size_t>(m_count) - m_entries.size()) + " more\n";
    return out;
}

} // namespace quorix::sim
