#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::venue {

enum class Outcome {
    Done,    // the processor did it (and, for a push, holds the file)
    Refused, // not attempted: a malformed command, a guest's store, no processor
    Failed,  // attempted and not achieved: no reply, or a push read back different
};

// An agent's answer to one command, carrying the command's id.
struct CommandReply {
    std::string id; // empty when the command's own id could not be read
    Outcome outcome = Outcome::Failed;
    std::string reason;                      // why, when not done
    std::vector<std::string> differences;    // a push: the values read back other than the file's
    std::vector<std::uint8_t> configuration; // a pull: the working set as .quorix bytes
    std::optional<int> preset;               // the preset in use afterwards, when the command concerned one
    bool operator==(const CommandReply&) const = default;
};

std::string_view OutcomeName(Outcome outcome);
std::string ReplyJson(const CommandReply& reply);

struct ParsedReply {
    std::optional<CommandReply> reply;
    std::string refusal;
};
ParsedReply ParseCommandReply(std::string_view payload);

} // namespace quorix::venue
