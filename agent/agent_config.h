#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace quorix::agent {

// What an agent is told: its room, the broker and how to reach the processor.
struct AgentConfig {
    std::string venue;
    std::string room;
    std::string broker = "mqtt://127.0.0.1";
    std::string username;
    std::string password; // never logged, never published
    std::string caFile;
    std::string certFile;
    std::string keyFile;
    bool simulator = false;
    std::string simulatorMemory; // the virtual processor's memory file
};

// The keys of the configuration file, each also an option "--KEY VALUE"
// ("simulator" a flag): venue, room, broker, username, password, password-file,
// ca-file, cert-file, key-file, simulator-memory.
struct ConfigRead {
    std::optional<AgentConfig> config;
    std::string problem;
};

// Reads "key = value" lines ('#' starts a comment line) over `config`. An
// unknown key, a key given twice or a line without '=' is refused with its line number.
ConfigRead ReadAgentConfig(std::string_view text, AgentConfig config);
// Applies one setting by its key; false when the key is not one.
bool ApplySetting(AgentConfig& config, std::string_view key, const std::string& value, std::string& problem);
// What is missing or unusable for a run: no venue or room, a name that is not one, a broker URL that is not one.
std::string ConfigProblem(const AgentConfig& config);
// The settings as a log may show them: the password only as "(set)".
std::string DescribeConfig(const AgentConfig& config);

} // namespace quorix::agent
