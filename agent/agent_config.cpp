#include "agent_config.h"

#include "venue/broker_url.h"
#include "venue/topics.h"

#include "core/read_small_file.h"

#include <set>
#include <sstream>

namespace quorix::agent {

namespace {

std::string Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

} // namespace

bool ApplySetting(AgentConfig& config, std::string_view key, const std::string& value, std::string& problem)
{
    const std::map<std::string_view, std::string*> texts = {
        {"venue", &config.venue},        {"room", &config.room},         {"broker", &config.broker},
        {"username", &config.username},  {"password", &config.password}, {"ca-file", &config.caFile},
        {"cert-file", &config.certFile}, {"key-file", &config.keyFile},  {"simulator-memory", &config.simulatorMemory},
    };
    if (const auto found = texts.find(key); found != texts.end()) {
        *found->second = value;
        if (key == "simulator-memory")
            config.simulator = true;
        return true;
    }
    if (key == "password-file") {
        // A password in a file of its own stays out of the process list.
        const auto read = core::ReadSmallFile(value, 4096);
        if (read.problem != core::SmallFileProblem::None) {
            problem = "the password file " + value + " cannot be read";
            return true;
        }
        std::string password = read.bytes;
        while (!password.empty() && (password.back() == '\n' || password.back() == '\r'))
            password.pop_back();
        config.password = password;
        return true;
    }
    return false;
}

ConfigRead ReadAgentConfig(std::string_view text, AgentConfig config)
{
    std::istringstream in{std::string(text)};
    std::set<std::string> seen;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#')
            continue;
        const auto equals = trimmed.find('=');
        const std::string where = "line " + std::to_string(number) + ": ";
        if (equals == std::string::npos)
            return {std::nullopt, where + "a setting is \"key = value\""};
        const std::string key = Trim(trimmed.substr(0, equals));
        if (!seen.insert(key).second)
            return {std::nullopt, where + key + " is given twice"};
        std::string problem;
        if (!ApplySetting(config, key, Trim(trimmed.substr(equals + 1)), problem))
            return {std::nullopt, where + "unknown setting " + key.substr(0, 40)};
        if (!problem.empty())
            return {std::nullopt, where + problem};
    }
    return {config, {}};
}

std::string ConfigProblem(const AgentConfig& config)
{
    if (!venue::ValidName(config.venue) || !venue::ValidName(config.room))
        return "the venue and the room need names of 1 to 64 letters, digits, '-', '_' or '.'";
    if (!venue::ParseBrokerUrl(config.broker))
        return "the broker is to be given as mqtt://HOST[:PORT] or mqtts://HOST[:PORT]";
    if (!config.password.empty() && config.username.empty())
        return "a password needs a username";
    return {};
}

std::string DescribeConfig(const AgentConfig& config)
{
    return "venue " + config.venue + ", room " + config.room + ", broker " + config.broker +
           (config.username.empty() ? "" : ", user " + config.username) +
           (config.password.empty() ? "" : ", password (set)") +
           (config.simulator
                ? ", virtual processor" + (config.simulatorMemory.empty() ? "" : " " + config.simulatorMemory)
                : "");
}

} // namespace quorix::agent
