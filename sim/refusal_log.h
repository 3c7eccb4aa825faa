#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorix::sim {

// What the processor refused to answer, and why: a console fault shows up here
// before it shows up as a retry or a lost link. Every refusal is counted; the
// first kKept are kept with their bytes, so a long run of noise stays small.
class RefusalLog {
public:
    static constexpr std::size_t kKept = 1000;

    struct Refusal {
        std::string reason;
        std::vector<std::uint8_t> bytes; // the frame or report refused, as far as it came
    };

    void add(std::string reason, std::span<const std::uint8_t> bytes);
    void clear()
    {
        m_entries.clear();
        m_count = 0;
    }

    int count() const { return m_count; }
    const std::vector<Refusal>& entries() const { return m_entries; }
    // One line per refusal: the reason, then the bytes in hex.
    std::string text() const;

private:
    std::vector<Refusal> m_entries;
    int m_count = 0;
};

} // namespace quorix::sim
