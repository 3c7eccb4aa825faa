#include "integer_option.h"

#include <charconv>
#include <cstdint>

namespace quorix::cli {

std::optional<int> IntegerOption(const CliArgs& args, const std::string& name, std::optional<int> fallback, int lowest,
                                 int highest, std::string& error)
{
    const std::string range = name + " must be " + std::to_string(lowest) + " to " + std::to_string(highest);
    const auto text = args.option(name);
    const auto fail = [&](const std::string& message) -> std::optional<int> {
        if (error.empty())
            error = message;
        return std::nullopt;
    };
    if (!text)
        return fallback ? fallback : fail(range + " and is required");
    // from_chars reads only decimal digits after an optional minus and reports overflow
    // instead of wrapping, so "3.0", "1e10", "+3", " 3" and 2^70 all stop here.
    std::int64_t value = 0;
    const char* end = text->data() + text->size();
    const auto [stop, status] = std::from_chars(text->data(), end, value);
    if (text->empty() || status != std::errc{} || stop != end || value < lowest || value > highest)
        return fail(range + " (got \"" + *text + "\")");
    return static_cast<int>(value);
}

} // namespace quorix::cli
