#include "trace_ring.h"

#include <algorithm>
#include <cstring>
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
        m_bytes.reset(new std::uint8_t[kMaxBytes]);
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
    std::uint8_t* target = m_bytes.get() + offset;
    // memcpy: the bytes are copied in words, not one by one; a null source is never handed to it.
    if (!name.empty())
        std::memcpy(target, name.data(), name.size());
    if (kept > 0)
        std::memcpy(target + name.size(), bytes.data(), kept);
    if (kept < bytes.size())
        std::memset(target + name.size() + kept, 0, bytes.size() - kept);
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
        const std::uint8_t* start = m_bytes.get() + line.offset;
        out += FormatTraceLine(line.timeMs, line.direction,
                               std::string_view(reinterpret_cast<const char*>(start), line.nameSize),
                               std::span<const std::uint8_t>(start + line.nameSize, line.byteCount),
                               line.maskedFrom < line.byteCount ? line.maskedFrom : kNothingMasked);
    }
    return out;
}

} // namespace quorix::link
