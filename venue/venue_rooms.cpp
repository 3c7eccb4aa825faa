#include "venue_rooms.h"

#include "topics.h"

namespace quorix::venue {

VenueRooms::Taken VenueRooms::take(const std::string& topic, const std::string& payload)
{
    const auto address = RoomOfTopic(topic, TopicKind::State);
    if (!address || address->venue != m_venue)
        return {std::nullopt, "not a state topic of the venue"};
    if (payload.empty())
        return {m_rooms.erase(address->room) ? std::optional(address->room) : std::nullopt, {}};
    auto parsed = ParseRoomState(payload);
    if (!parsed.state)
        return {std::nullopt, parsed.refusal};
    if (parsed.state->address != *address)
        return {std::nullopt, "the state of another room"};
    RoomState& room = m_rooms[address->room];
    if (!parsed.state->online && room.address == *address) {
        room.online = false;
        return {address->room, {}};
    }
    room = std::move(*parsed.state);
    return {address->room, {}};
}

VenueRooms::Drift VenueRooms::drift(const std::string& room) const
{
    const auto found = m_rooms.find(room);
    if (m_reference.empty() || found == m_rooms.end() || !found->second.processor)
        return Drift::Unknown;
    return found->second.processor->workingSetHash == m_reference ? Drift::Same : Drift::Differs;
}

} // namespace quorix::venue
