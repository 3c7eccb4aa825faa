#include "trace_ring.h"

#include <algorithm>
#include <limits>

namespace quorix::link {

namespace {

constexpr std::size_t kMaxField = std::numeric_limits<std::uint16_t>::max();

} // namespace

const TraceRing::Entry& TraceRing::entry(std::size_t age) const
{
    std::size_t index = m_first + age;
    if (index >= kMaxEntries)
        index -= kMaxEntries;
    return m_entries[index];
}

void TraceRing::dropOldest()
{
    if (++m_first == kMaxEntries)
        m_first = 0;
    if (--m_count == 0) {
        m_first = 0;
        m_end = 0;
    }
}

// Where a line of `size` bytes goes: after the newest, or at the start of the
// circle when it does not fit before its end. A line is never split, and the
// oldest give way until there is room.
std::size_t TraceRing::placeFor(std::size_t size)
{
    while (m_count > 0) {
        const std::size_t oldest = entry(0).offset;
        if (oldest < m_end) {
            if (m_end + size <= kMaxBytes)
                return m_end;
            if (size <= oldest)
                return 0;
        } else if (m_end + size <= oldest) {
            return m_end;
        }
        dropOldest();
    }
    return 0;
}

void TraceRing::add(std::int64_t timeMs, TraceDirection direction, std::string_view name,
                    std::span<const std::uint8_t> bytes, std::size_t maskedFrom)
{
    if (!m_entries) {
        m_entries.reset(new Entry[kMaxEntries]);
        m_bytes.reset(new char[kMaxBytes]);
    }
    while (m_count > 0 && entry(0).timeMs < timeMs - kKeepMs)
        dropOldest();
    if (m_count == kMaxEntries)
        dropOldest();
    // Longer than any frame or note the link makes; cut rather than refused.
    name = name.substr(0, kMaxField);
    bytes = bytes.first(std::min(bytes.size(), kMaxField));
    const std::size_t kept = std::min(bytes.size(), maskedFrom);

    const std::size_t offset = placeFor(name.size() + bytes.size());
    char* target = m_bytes.get() + offset;
    target = std::copy(name.begin(), name.end(), target);
    target = std::copy_n(bytes.begin(), kept, target);
    std::fill_n(target, bytes.size() - kept, 0);
    m_end = offset + name.size() + bytes.size();

    std::size_t index = m_first + m_count++;
    if (index >= kMaxEntries)
        index -= kMaxEntries;
    m_entries[index] = {timeMs,
                        static_cast<std::uint32_t>(offset),
                        static_cast<std::uint16_t>(name.size()),
                        static_cast<std::uint16_t>(bytes.size()),
                        static_cast<std::uint16_t>(kept),
                        direction};
}

std::string TraceRing::text() const
{
    std::string out;
    for (std::size_t age = 0; age < m_count; ++age) {
        const Entry& line = entry(age);
        const char* start = m_bytes.get() + line.offset;
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(start + line.nameSize);
        out += FormatTraceLine(line.timeMs, line.direction, std::string_view(start, line.nameSize),
                               std::span<const std::uint8_t>(bytes, line.byteCount),
                               line.maskedFrom < line.byteCount ? line.maskedFrom : kNothingMasked);
    }
    return out;
}

} // namespace quorix::link
