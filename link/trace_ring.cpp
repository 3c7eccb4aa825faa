#include "trace_ring.h"

#include <algorithm>

namespace quorix::link {

std::string_view TraceRing::Entry::name() const
{
    return nameSize <= kShort ? std::string_view(shortName.data(), nameSize) : std::string_view(longName);
}

std::span<const std::uint8_t> TraceRing::Entry::bytes() const
{
    return byteCount <= kShort ? std::span<const std::uint8_t>(shortBytes.data(), byteCount)
                               : std::span<const std::uint8_t>(longBytes);
}

// The slot after the newest: a free one, or the oldest when the ring is full.
// The circle grows by doubling up to kMaxEntries, straightened out each time.
TraceRing::Entry& TraceRing::nextSlot()
{
    if (m_count == m_slots.size() && m_slots.size() < kMaxEntries) {
        std::rotate(m_slots.begin(), m_slots.begin() + static_cast<std::ptrdiff_t>(m_head), m_slots.end());
        m_head = 0;
        m_slots.resize(std::clamp<std::size_t>(m_slots.size() * 2, 64, kMaxEntries));
    }
    if (m_count == m_slots.size()) { // full at its largest: the oldest gives way
        dropOldest();
    }
    std::size_t index = m_head + m_count++;
    if (index >= m_slots.size())
        index -= m_slots.size();
    return m_slots[index];
}

void TraceRing::dropOldest()
{
    if (++m_head == m_slots.size())
        m_head = 0;
    --m_count;
}

void TraceRing::add(std::int64_t timeMs, TraceDirection direction, std::string_view name,
                    std::span<const std::uint8_t> bytes, std::size_t maskedFrom)
{
    while (m_count > 0 && m_slots[m_head].timeMs < timeMs - kKeepMs)
        dropOldest();
    Entry& entry = nextSlot();
    entry.timeMs = timeMs;
    entry.direction = direction;
    entry.maskedFrom = maskedFrom;
    entry.nameSize = name.size();
    if (name.size() <= kShort)
        std::copy(name.begin(), name.end(), entry.shortName.begin());
    else
        entry.longName.assign(name);
    entry.byteCount = bytes.size();
    const std::size_t kept = std::min(bytes.size(), maskedFrom);
    const auto store = [&](auto target) {
        std::copy_n(bytes.begin(), kept, target);
        std::fill_n(target + static_cast<std::ptrdiff_t>(kept), bytes.size() - kept, 0);
    };
    if (bytes.size() <= kShort) {
        store(entry.shortBytes.begin());
    } else {
        entry.longBytes.resize(bytes.size());
        store(entry.longBytes.begin());
    }
}

std::string TraceRing::text() const
{
    std::string out;
    for (std::size_t i = 0; i < m_count; ++i) {
        const Entry& entry = m_slots[(m_head + i) % m_slots.size()];
        out += FormatTraceLine(entry.timeMs, entry.direction, entry.name(), entry.bytes(), entry.maskedFrom);
    }
    return out;
}

} // namespace quorix::link
