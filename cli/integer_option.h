#pragma once

#include "cli_args.h"

#include <optional>
#include <string>

namespace quorix::cli {

// An option that takes a whole number in lowest..highest. Absent: `fallback`
// when there is one. The text must be decimal digits with an optional minus
// sign, and is range-checked before it becomes an int; otherwise `error` gets
// a message naming the option and its range, "--kind must be 0 to 7", unless
// it already holds an earlier one.
std::optional<int> IntegerOption(const CliArgs& args, const std::string& name, std::optional<int> fallback, int lowest,
                                 int highest, std::string& error);

} // namespace quorix::cli
