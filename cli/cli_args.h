#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorix::cli {

// "command [positional...] [--flag] [--option value]" as the tool reads it.
struct CliArgs {
    std::string command;
    std::vector<std::string> positional;
    std::map<std::string, std::string> options; // "-o" and "--trace" keep their dashes; flags map to ""
    std::string problem; // a usage error found while reading the words: a repeated option, a value missing

    bool has(const std::string& name) const { return options.count(name) != 0; }
    std::optional<std::string> option(const std::string& name) const;
};

// Options listed in `valued` take the next argument as their value.
CliArgs ParseCliArgs(const std::vector<std::string>& argv, const std::vector<std::string>& valued);

} // namespace quorix::cli
