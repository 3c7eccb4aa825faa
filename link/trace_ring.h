#pragma once

#include "trace_line.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::link {

// The protocol trace that is always on: the last ten minutes of it, and at
// most kMaxEntries lines, kept in memory for a support bundle. Lines are
// stored as their parts and formatted only when the text is asked for, as the
// trace file formats them. Masked bytes are never stored: they are zeroed here.
class TraceRing {
public:
    static constexpr std::int64_t kKeepMs = 10 * 60 * 1000;
    static constexpr std::size_t kMaxEntries = 20000;

    void add(std::int64_t timeMs, TraceDirection direction, std::string_view name, std::span<const std::uint8_t> bytes,
             std::size_t maskedFrom = kNothingMasked);
    // Every line kept, oldest first, in the trace file's format.
    std::string text() const;
    std::size_t size() const { return m_entries.size(); }

private:
    struct Entry {
        std::int64_t timeMs;
        TraceDirection direction;
        std::string name;
        std::vector<std::uint8_t> bytes;
        std::size_t maskedFrom;
    };

    std::deque<Entry> m_entries;
};

} // namespace quorix::link
