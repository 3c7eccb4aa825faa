#pragma once

#include "room_state.h"

#include <map>
#include <optional>
#include <string>

namespace quorix::venue {

// The rooms of one venue as their retained state topics tell them, and how
// each room's working set stands against a reference configuration.
class VenueRooms {
public:
    enum class Drift {
        Unknown, // no reference, or no processor state to compare
        Same,
        Differs,
    };

    explicit VenueRooms(std::string venue) : m_venue(std::move(venue)) {}

    struct Taken {
        std::optional<std::string> room; // the room that changed
        std::string refusal;             // why the payload was not taken
    };
    // A message on a state topic of the venue. An agent gone offline leaves
    // what it last told, marked offline; an emptied retained state removes its room.
    Taken take(const std::string& topic, const std::string& payload);

    const std::map<std::string, RoomState>& rooms() const { return m_rooms; }
    // The reference's WorkingSetHash, or empty for none.
    void setReference(std::string hash) { m_reference = std::move(hash); }
    const std::string& reference() const { return m_reference; }
    Drift drift(const std::string& room) const;

private:
    std::string m_venue;
    std::map<std::string, RoomState> m_rooms;
    std::string m_reference;
};

} // namespace quorix::venue
