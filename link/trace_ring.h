#pragma once

#include "trace_line.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::link {

// The protocol trace that is always on: the last ten minutes of it, and at
// most kMaxEntries lines, kept in memory for a support bundle. Lines are
// stored as their parts in slots that are reused once the ring has come round,
// and formatted only when the text is asked for, as the trace file formats
// them; a short frame (most of them) costs no allocation. Masked bytes are
// never stored: they are zeroed here.
class TraceRing {
public:
    static constexpr std::int64_t kKeepMs = 10 * 60 * 1000;
    static constexpr std::size_t kMaxEntries = 20000;

    void add(std::int64_t timeMs, TraceDirection direction, std::string_view name, std::span<const std::uint8_t> bytes,
             std::size_t maskedFrom = kNothingMasked);
    // Every line kept, oldest first, in the trace file's format.
    std::string text() const;
    std::size_t size() const { return m_count; }

private:
    static constexpr std::size_t kShort = 20; // a name or a frame this long is kept in the slot itself

    struct Entry {
        std::int64_t timeMs = 0;
        TraceDirection direction = TraceDirection::Note;
        std::size_t maskedFrom = kNothingMasked;
        std::size_t nameSize = 0;
        std::size_t byteCount = 0;
        std::array<char, kShort> shortName{};
        std::array<std::uint8_t, kShort> shortBytes{};
        std::string longName;
        std::vector<std::uint8_t> longBytes;

        std::string_view name() const;
        std::span<const std::uint8_t> bytes() const;
    };

    Entry& nextSlot();
    void dropOldest();

    std::vector<Entry> m_slots; // a circle: m_count entries from m_head on, oldest first
    std::size_t m_head = 0;
    std::size_t m_count = 0;
};

} // namespace quorix::link
