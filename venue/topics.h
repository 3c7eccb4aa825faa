#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorix::venue {

// One room of one venue, as both name it in topics.
struct RoomAddress {
    std::string venue;
    std::string room;
    bool operator==(const RoomAddress&) const = default;
};

// What travels on a room's topics: quorix/VENUE/ROOM/state (retained, the
// agent's), .../command (to the agent), .../reply (the agent's answers), and
// while a console tunes the room remotely the processor's HID reports:
// .../hid-out (console to processor) and .../hid-in (processor to console).
enum class TopicKind { State, Command, Reply, HidOut, HidIn };

// A venue or room name: 1 to 64 letters, digits, '-', '_' or '.', so that it
// is one topic level and never a wildcard.
bool ValidName(std::string_view name);

std::string Topic(const RoomAddress& room, TopicKind kind);
// The filter for one kind of topic of every room of a venue: quorix/VENUE/+/state.
std::string VenueFilter(std::string_view venue, TopicKind kind);
// The quality of service a topic travels with. HID reports go at most once
// (0): the link mends a lost report with its own time-outs and retries, as it
// does on USB, whereas a report sent again after a reconnection would come long
// after its exchange ended. Everything else goes at least once (1).
int TopicQos(std::string_view topic);

// The room a topic of this kind belongs to; nothing when it is not one.
std::optional<RoomAddress> RoomOfTopic(std::string_view topic, TopicKind kind);

} // namespace quorix::venue
