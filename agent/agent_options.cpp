#include "agent_options.h"

#include "core/read_small_file.h"

namespace quorix::agent {

const char* const kAgentUsage = "usage: quorix-agent [--config FILE] [--venue NAME] [--room NAME] [--broker URL]\n"
                                "                    [--username NAME] [--password-file FILE] [--ca-file FILE]\n"
                                "                    [--cert-file FILE] [--key-file FILE]\n"
                                "                    [--simulator | --simulator-memory FILE]\n"
                                "  The room's agent: the processor's one owner, which tells the room's state\n"
                                "  on the venue's MQTT broker and carries out the commands sent to the room.\n"
                                "  The configuration file holds \"key = value\" lines of the same keys (and\n"
                                "  \"password\"); options override it. The broker URL is mqtt://HOST[:PORT]\n"
                                "  or mqtts://HOST[:PORT] (TLS). See docs/venue.md.\n";

namespace {

constexpr std::uintmax_t kLongestConfig = 64 * 1024;

AgentOptions Problem(std::string error)
{
    AgentOptions options;
    options.action = AgentAction::UsageError;
    options.error = std::move(error);
    return options;
}

} // namespace

AgentOptions ParseAgentOptions(const std::vector<std::string>& words)
{
    AgentOptions options;
    std::size_t first = 0;
    if (words.size() >= 2 && words[0] == "--config") {
        const auto file = core::ReadSmallFile(words[1], kLongestConfig);
        if (file.problem != core::SmallFileProblem::None)
            return Problem("the configuration " + words[1] + " cannot be read");
        auto read = ReadAgentConfig(file.bytes, options.config);
        if (!read.config)
            return Problem(words[1] + ": " + read.problem);
        options.config = *read.config;
        first = 2;
    }
    for (std::size_t i = first; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--help" || word == "-h")
            return {AgentAction::Help, {}, {}};
        if (word == "--version")
            return {AgentAction::Version, {}, {}};
        if (word == "--simulator") {
            options.config.simulator = true;
            continue;
        }
        // A password on the command line would show in the process list.
        if (!word.starts_with("--") || word == "--config" || word == "--password")
            return Problem(word == "--config" ? "--config comes first" : "unexpected " + word.substr(0, 40));
        if (i + 1 == words.size())
            return Problem(word + " needs a value");
        std::string problem;
        if (!ApplySetting(options.config, word.substr(2), words[++i], problem))
            return Problem("unknown option " + word.substr(0, 40));
        if (!problem.empty())
            return Problem(problem);
    }
    if (const auto problem = ConfigProblem(options.config); !problem.empty())
        return Problem(problem);
    return options;
}

} // namespace quorix::agent
