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
// agent's), .../command (to the agent) and .../reply (the agent's answers).
enum class TopicKind { State, Command, Reply };

// A venue or room name: 1 to 64 letters, digits, '-', '_' or '.', so that it
// is one topic level and never a wildcard.
bool ValidName(std::string_view name);

std::string Topic(const RoomAddress& room, TopicKind kind);
// The filter for one kind of topic of every room of a venue: quorix/VENUE/+/state.
std::string VenueFilter(std::string_view venue, TopicKind kind);
// The room a topic of this kind belongs to; nothing when it is not one.
std::optional<RoomAddress> RoomOfTopic(std::string_view topic, TopicKind kind);

} // namespace quorix::venue
