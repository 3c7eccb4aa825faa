#include "trace_ring.h"

#include <algorithm>

namespace quorix::link {

void TraceRing::add(std::int64_t timeMs, TraceDirection direction, std::string_view name,
                    std::span<const std::uint8_t> bytes, std::size_t maskedFrom)
{
    Entry entry{timeMs, direction, std::string(name), {bytes.begin(), bytes.end()}, maskedFrom};
    if (maskedFrom < entry.bytes.size())
        std::fill(entry.bytes.begin() + static_cast<std::ptrdiff_t>(maskedFrom), entry.bytes.end(), 0);
    m_entries.push_back(std::move(entry));
    while (m_entries.size() > kMaxEntries || m_entries.front().timeMs < timeMs - kKeepMs)
        m_entries.pop_front();
}

std::string TraceRing::text() const
{
    std::string out;
    for (const Entry& entry : m_entries)
        out += FormatTraceLine(entry.timeMs, entry.direction, entry.name, entry.bytes, entry.maskedFrom);
    return out;
}

} // namespace quorix::link
