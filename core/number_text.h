#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::core {

// Locale-independent number reading and writing: the console's texts always
// use a full stop, whatever locale the process runs in.
std::optional<double> ParseNumber(std::string_view text);
// The numbers of a constant comma-separated text ("25,40,63"); a malformed item is a programming error and throws.
std::vector<double> ParseNumberList(std::string_view text);
std::string FormatFixed(double value, int decimals);
std::string FormatShortest(float value);

} // namespace quorix::core
