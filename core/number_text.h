#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorix::core {

// Locale-independent number reading and writing: the console's texts always
// use a full stop, whatever locale the process runs in.
std::optional<double> ParseNumber(std::string_view text);
std::string FormatFixed(double value, int decimals);
std::string FormatShortest(float value);

} // namespace quorix::core
