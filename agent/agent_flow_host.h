#pragma once

#include "presets/flow_host.h"

#include <string>
#include <utility>

namespace quorix::agent {

// The preset flows' window, for an agent: nobody to ask, and the message the
// flow would show is kept as the reply's reason; a note of success is no reason.
class AgentFlowHost final : public presets::FlowHost {
public:
    void showMessage(std::string_view text) override { m_message = text; }
    void showInformation(std::string_view) override {}
    bool askYesNo(std::string_view) override { return false; }
    void setBusy(bool) override {}

    // The message shown since the last call, then empty.
    std::string takeMessage() { return std::exchange(m_message, {}); }

private:
    std::string m_message;
};

} // namespace quorix::agent
