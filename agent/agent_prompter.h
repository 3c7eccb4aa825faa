#pragma once

#include "core/busy_indicator.h"
#include "core/prompter.h"

#include <string>
#include <utility>

namespace quorix::agent {

// The preset flows' window, for an agent: nobody to ask, and the warning the
// flow would show is kept as the reply's reason; a note of success is no reason.
class AgentPrompter final : public core::Prompter, public core::BusyIndicator {
public:
    bool askYesNo(std::string_view) override { return false; }
    Answer askYesNoCancel(std::string_view) override { return Answer::Cancel; }
    void showMessage(std::string_view text, core::Severity severity) override
    {
        if (severity != core::Severity::Information)
            m_message = text;
    }
    std::optional<std::filesystem::path> askFile(const core::FileRequest&) override { return std::nullopt; }
    void setBusy(bool) override {}

    // The message shown since the last call, then empty.
    std::string takeMessage() { return std::exchange(m_message, {}); }

private:
    std::string m_message;
};

} // namespace quorix::agent
