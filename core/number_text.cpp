#include "number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace quorix::core {

std::optional<double> ParseNumber(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.size() > 64)
        return std::nullopt;

    // A decimal comma is what many installers type; read it as a point.
    std::string normalised(text);
    for (char& c : normalised)
        if (c == ',')
            c = '.';
    const char first = normalised[normalised[0] == '-' ? 1 : 0];
    if (!(first == '.' || (first >= '0' && first <= '9')))
        return std::nullopt; // from_chars would accept "inf" and "nan"

    double value = 0;
    const char* end = normalised.data() + normalised.size();
    const auto [ptr, ec] = std::from_chars(normalised.data(), end, value);
    if (ec != std::errc{} || ptr != end || !std::isfinite(value) ||
        std::fabs(value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return value;
}

std::vector<double> ParseNumberList(std::string_view text)
{
    std::vector<double> numbers;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const auto value = ParseNumber(text.substr(0, comma));
        if (!value)
            throw std::logic_error("malformed number list");
        numbers.push_back(*value);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    }
    return numbers;
}

std::string FormatFixed(double value, int decimals)
{
    char buffer[64];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    std::string text(buffer, ec == std::errc{} ? ptr : buffer);
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1); // never show "-0.0"
    return text;
}

std::string FormatShortest(float value)
{
    char buffer[64];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, ec == std::errc{} ? ptr : buffer);
}

} // namespace quorix::core
