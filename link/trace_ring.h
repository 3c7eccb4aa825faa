#pragma once

#include "trace_line.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace quorix::link {

// The protocol trace that is always on: the last ten minutes of it, at most
// kMaxEntries lines and kMaxBytes bytes of their names and frames, kept in
// memory for a support bundle. A line is kept as its parts, formatted only when
// the text is asked for, as the trace file formats them: its time, direction
// and sizes in a fixed slot, its name and bytes packed one after the other in
// one circle of bytes. Nothing is allocated per line, and a line touches little
// memory. Masked bytes are never stored: they are zeroed here.
class TraceRing {
public:
    static constexpr std::int64_t kKeepMs = 10 * 60 * 1000;
    static constexpr std::size_t kMaxEntries = 20000;
    static constexpr std::size_t kMaxBytes = 2 * 1024 * 1024;

    void add(std::int64_t timeMs, TraceDirection direction, std::string_view name, std::span<const std::uint8_t> bytes,
             std::size_t maskedFrom = kNothingMasked);
    // Every line kept, oldest first, in the trace file's format.
    std::string text() const;
    std::size_t size() const { return m_count; }

private:
    struct Entry {
        std::int64_t timeMs;
        std::uint32_t offset; // of the name in m_bytes; the frame's bytes follow it
        std::uint16_t nameSize;
        std::uint16_t byteCount;
        std::uint16_t maskedFrom; // byteCount when nothing is masked
        TraceDirection direction;
    };

    std::size_t placeFor(std::size_t size);
    void dropOldest();
    const Entry& entry(std::size_t age) const;

    // Both circles are allocated at the first line and left uninitialised, so
    // memory is only touched as the trace fills it.
    std::unique_ptr<Entry[]> m_entries;      // m_count entries from m_first on, oldest first
    std::unique_ptr<std::uint8_t[]> m_bytes; // their names and frames, from the oldest's offset on to m_end
    std::size_t m_first = 0;
    std::size_t m_count = 0;
    std::size_t m_end = 0;
};

} // namespace quorix::link
