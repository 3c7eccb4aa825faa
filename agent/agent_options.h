#pragma once

#include "agent_config.h"

#include <string>
#include <vector>

namespace quorix::agent {

enum class AgentAction { Run, Help, Version, UsageError };

struct AgentOptions {
    AgentAction action = AgentAction::Run;
    AgentConfig config;
    std::string error;
};

// --config FILE first, then every "--KEY VALUE" of the configuration file's
// keys and --simulator over it.
AgentOptions ParseAgentOptions(const std::vector<std::string>& words);

extern const char* const kAgentUsage;

} // namespace quorix::agent
