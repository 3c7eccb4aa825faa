#pragma once

#include "command_reply.h"
#include "room_command.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorix::venue {

// How long a sender waits for a room's reply before it counts the room as not
// having answered: a push reads the whole working set back.
inline constexpr int kPushWaitSeconds = 60;
inline constexpr int kRecallWaitSeconds = 20;

// One command sent to several rooms of a venue, and what became of it in each:
// a room counts as done only when its own reply, carrying its command's id,
// says so; a room silent until the round expires did not answer.
class VenueRound {
public:
    enum class Status {
        Sending,   // handed to the broker, not yet acknowledged by it
        Delivered, // the broker has it; no reply yet
        Done,
        Refused,
        Failed,
        NoAnswer, // the round expired first: not known to be done
    };

    // Each room's command gets the id `idPrefix`-N.
    VenueRound(const std::vector<std::string>& rooms, const std::string& idPrefix);

    struct Entry {
        std::string room;
        std::string id;
        std::optional<CommandReply> reply;
        int publication = -1; // the broker's id of the sent command, -1 before it went out
        bool delivered = false;
    };
    const std::vector<Entry>& entries() const { return m_entries; }
    Status status(const Entry& entry) const;

    // Publishes `command` to each room of `venue` under the room's own id;
    // `publish` returns the publication's id, or -1 when it could not be sent.
    using Publish = std::function<int(const std::string& topic, const std::string& payload)>;
    void send(const std::string& venue, const RoomCommand& command, const Publish& publish);
    // The broker acknowledged publication `publication`; false when it is none of this round's.
    bool delivered(int publication);
    // A payload on `room`'s reply topic. Replies to other commands, repeated
    // replies, payloads that are not replies and anything after expire() change
    // nothing; false then.
    bool take(const std::string& room, const std::string& payload);
    // The wait is over: a room that has not answered stays without an outcome.
    void expire() { m_expired = true; }
    bool expired() const { return m_expired; }
    // Every room has answered.
    bool answered() const;
    bool allDone() const;
    // One line per room in the order given ("101: done", "102: failed: ...",
    // "103: no answer"), with a push's differences indented under its room.
    std::string report() const;

private:
    std::vector<Entry> m_entries;
    bool m_expired = false;
};

} // namespace quorix::venue
