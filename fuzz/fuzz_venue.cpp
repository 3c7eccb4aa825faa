// The venue's payloads from the broker: a command, a state and a reply. What is
// accepted reads back alike once written again; what is refused says why, and
// the refusal's reply can always be written, whatever bytes it quotes.

#include "fuzz_check.h"

#include "venue/command_reply.h"
#include "venue/room_command.h"
#include "venue/room_state.h"

#include <string_view>

using namespace quorix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view payload(reinterpret_cast<const char*>(data), size);

    const auto command = venue::ParseRoomCommand(payload);
    if (command.command) {
        FUZZ_CHECK(venue::ParseRoomCommand(venue::CommandJson(*command.command)).command == command.command);
    } else {
        FUZZ_CHECK(!command.refusal.empty());
        venue::CommandReply refusal;
        refusal.id = command.id;
        refusal.outcome = venue::Outcome::Refused;
        refusal.reason = command.refusal;
        FUZZ_CHECK(venue::ParseCommandReply(venue::ReplyJson(refusal)).reply.has_value());
    }

    const auto state = venue::ParseRoomState(payload);
    FUZZ_CHECK(state.state.has_value() != !state.refusal.empty());
    if (state.state)
        FUZZ_CHECK(venue::ParseRoomState(venue::StateJson(*state.state)).state == state.state);

    const auto reply = venue::ParseCommandReply(payload);
    FUZZ_CHECK(reply.reply.has_value() != !reply.refusal.empty());
    if (reply.reply)
        FUZZ_CHECK(venue::ParseCommandReply(venue::ReplyJson(*reply.reply)).reply.has_value());
    return 0;
}
