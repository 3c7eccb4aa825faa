#include "commands.h"
#include "integer_option.h"
#include "read_configuration.h"

#include "core/config_file.h"
#include "core/param_diff.h"

#include <iostream>

namespace quorix::cli {

namespace {

constexpr const char* kDiffUsage =
    "usage: quorix-cli diff A.quorix B.quorix [--mode singing|dance|all] [--kind 0..10]\n";

// Absent: the singing and dance sets; "all" adds the default set.
bool ParseModes(const CliArgs& args, std::vector<int>& modes)
{
    const auto mode = args.option("--mode");
    if (!mode)
        modes = {0, 1};
    else if (*mode == "singing")
        modes = {0};
    else if (*mode == "dance")
        modes = {1};
    else if (*mode == "all")
        modes = {0, 1, 2}; // and the rights level, below
    else
        return false;
    return true;
}

} // namespace

int CommandDiff(const CliArgs& args)
{
    std::string error;
    core::DiffScope scope;
    scope.kind = IntegerOption(args, "--kind", -1, 0, 10, error).value_or(-1);
    if (!ParseModes(args, scope.modes) && error.empty())
        error = "--mode must be singing, dance or all";
    scope.rights = args.option("--mode") == "all";
    if (args.positional.size() != 2 && error.empty())
        error = "two configuration files are needed";
    if (!error.empty()) {
        std::cerr << "quorix-cli diff: " << error << "\n" << kDiffUsage;
        return 2;
    }
    core::ParamStore images[2];
    for (int i = 0; i < 2; ++i) {
        auto read = ReadConfiguration(args.positional[static_cast<std::size_t>(i)]);
        if (!read)
            return 2;
        images[i] = std::move(*read);
    }
    const auto differences = core::DiffImages(images[0], images[1], scope);
    std::cout << core::FormatDifferences(differences);
    return differences.empty() ? 0 : 1;
}

} // namespace quorix::cli
