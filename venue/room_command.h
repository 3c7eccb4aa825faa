#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::venue {

enum class CommandKind {
    Recall, // preset 0..7
    Store,  // preset 3..7 (USER1..USER5)
    Level,  // channel, value 0..80
    Mute,   // channel, on
    Tone,   // value 0..10
    Mode,   // value 0 singing, 1 dance
    Push,   // configuration (.quorix bytes), optional preset recalled first
    Pull,   // the working set back as .quorix bytes
    Tune,   // console, on: a console takes the processor's reports for remote tuning (on), or gives it back
};

// One command to a room's agent. `id` is the caller's: the reply carries it back.
struct RoomCommand {
    std::string id;
    CommandKind kind = CommandKind::Pull;
    std::optional<int> preset;
    int channel = 0; // index into kLevelNames
    int value = 0;
    bool on = false;
    std::vector<std::uint8_t> configuration;
    std::string console; // the console asking to tune, a name as a room's
    bool operator==(const RoomCommand&) const = default;
};

inline constexpr std::size_t kLongestId = 64;

std::string CommandJson(const RoomCommand& command);

// One command's JSON for many ids, as a venue sends it to many rooms: what the
// rooms share (a push's configuration is 336 KB of base64) is encoded once and
// each room's payload only gets its own id put in.
class CommandPayload {
public:
    explicit CommandPayload(const RoomCommand& command);
    // The JSON CommandJson gives for the command with this id.
    std::string withId(const std::string& id) const;

private:
    std::string m_afterId; // the JSON that follows the id's value
};

struct ParsedCommand {
    std::optional<RoomCommand> command;
    std::string refusal;
    std::string id; // the command's id when it could be read, for the refusal's reply
};
// Checks everything a command can be checked for without the processor: its
// fields, their types and ranges, and that a configuration is a whole .quorix
// file. A command that fails is refused whole.
ParsedCommand ParseRoomCommand(std::string_view payload);

} // namespace quorix::venue
