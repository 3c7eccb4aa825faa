#include "command_spec.h"

#include "commands.h"

#include <algorithm>

namespace quorix::cli {

namespace {

// Options naming a file or a device: an empty one is a slip of the shell, never a choice.
const std::vector<std::string> kPaths = {"-o",       "--trace",         "--simulator-memory",
                                         "--device", "--password-file", "--ca-file"};

bool Contains(const std::vector<std::string>& list, const std::string& word)
{
    return std::find(list.begin(), list.end(), word) != list.end();
}

} // namespace

const std::vector<CommandSpec>& Commands()
{
    const std::vector<std::string> simulator = {"--simulator", "--simulator-memory", "--trace", "--wait"};
    const auto with = [&](std::vector<std::string> options) {
        options.insert(options.end(), simulator.begin(), simulator.end());
        return options;
    };
    static const std::vector<CommandSpec> kCommands = {
        {"new", CommandNew, 0, {"-o"}},
        {"info", CommandInfo, 1, {}},
        {"list", CommandList, 0, {"--simulator", "--simulator-memory", "--wait"}},
        {"pull", CommandPull, 0, with({"-o", "--device"})},
        {"push", CommandPush, 1, with({"--preset", "--device"})},
        {"response", CommandResponse, 1, {"--kind", "--mode", "--third", "--width"}},
        {"diff", CommandDiff, 2, {"--mode", "--kind"}},
        {"export", CommandExport, 1, {"--json", "-o"}},
        {"import", CommandImport, 1, {"-o"}},
        {"import-filters", CommandImportFilters, 2, {"--kind", "--mode", "--third", "-o"}},
        {"report", CommandReport, 1, {"--note", "-o"}},
        {"venue",
         CommandVenue,
         2,
         {"--venue", "--rooms", "--broker", "--username", "--password-file", "--ca-file", "--preset", "--wait"}},
        {"doctor", CommandDoctor, 0, {"--device", "--simulator", "--simulator-memory", "--trace", "-o"}},
    };
    return kCommands;
}

const std::vector<std::string>& ValuedOptions()
{
    static const std::vector<std::string> kValued = {
        "-o",       "--trace",  "--wait", "--kind",  "--mode",  "--third",  "--width",    "--simulator-memory",
        "--preset", "--device", "--note", "--venue", "--rooms", "--broker", "--username", "--password-file",
        "--ca-file"};
    return kValued;
}

const std::vector<std::string>& FlagOptions()
{
    static const std::vector<std::string> kFlags = {"--simulator", "--json", "--help", "-h", "--version"};
    return kFlags;
}

std::string UsageProblem(const CliArgs& args, const CommandSpec& command)
{
    if (!args.problem.empty())
        return args.problem;
    for (const auto& [name, value] : args.options) {
        if (!Contains(command.options, name))
            return name + " does not apply to " + command.name;
        if (Contains(kPaths, name) && value.empty())
            return name + " needs a value";
    }
    if (args.positional.size() > command.mostWords)
        return "unexpected argument " + args.positional[command.mostWords];
    return {};
}

} // namespace quorix::cli
