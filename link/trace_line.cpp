#include "trace_line.h"

#include <cstdio>

namespace quorix::link {

std::string FormatTraceLine(std::int64_t timeMs, TraceDirection direction, std::string_view name,
                            std::span<const std::uint8_t> bytes, std::size_t maskedFrom)
{
    char head[64];
    if (direction == TraceDirection::Note) {
        std::snprintf(head, sizeof head, "%8lld -- ", static_cast<long long>(timeMs));
        return std::string(head).append(name).append(1, '\n');
    }
    std::snprintf(head, sizeof head, "%8lld %s %-14.*s", static_cast<long long>(timeMs),
                  direction == TraceDirection::Sent ? "TX" : "RX", static_cast<int>(name.size()), name.data());
    std::string line(head);
    line.reserve(line.size() + 3 * bytes.size() + 1);
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        line.push_back(' ');
        if (i >= maskedFrom) {
            line.append("**");
        } else {
            line.push_back(kHex[bytes[i] >> 4]);
            line.push_back(kHex[bytes[i] & 0xF]);
        }
    }
    line.push_back('\n');
    return line;
}

} // namespace quorix::link
