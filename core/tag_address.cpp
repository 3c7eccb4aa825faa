#include "tag_address.h"

#include <charconv>
#include <limits>
#include <vector>

namespace quorix::core {

namespace {

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<std::int64_t> ParseTagNumber(std::string_view text)
{
    text = Trim(text);
    int base = 10;
    if (text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h')) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty() || text.size() > 12)
        return std::nullopt;
    std::int64_t value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc{} || ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::int32_t ParseTagAddress(std::string_view tag)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t comma = tag.find(',', start);
        parts.push_back(tag.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    if (tag.empty() || parts.size() != 3)
        return -1;
    const auto kind = ParseTagNumber(parts[1]);
    const auto address = ParseTagNumber(parts[2]);
    if (!kind || !address)
        return -1;
    const std::int64_t flat = *kind * 256 + *address;
    if (*kind < 0 || *address < 0 || flat > std::numeric_limits<std::int32_t>::max())
        return -1;
    return static_cast<std::int32_t>(flat);
}

} // namespace quorix::core
