#pragma once

#include "cli_args.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quorix::cli {

// A command of quorix-cli: what it is called, what runs it and the words it takes.
struct CommandSpec {
    const char* name;
    int (*run)(const CliArgs&);
    std::size_t mostWords; // positional words it takes at most
    std::vector<std::string> options;
};

// Every command, and the options that take a value and those that do not.
const std::vector<CommandSpec>& Commands();
const std::vector<std::string>& ValuedOptions();
const std::vector<std::string>& FlagOptions();

// What is wrong with the words before the command looks at them (an option it
// does not take, an empty file name, an extra word), or an empty text.
std::string UsageProblem(const CliArgs& args, const CommandSpec& command);

} // namespace quorix::cli
