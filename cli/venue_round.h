#pragma once

#include "venue/command_reply.h"

#include <optional>
#include <string>
#include <vector>

namespace quorix::cli {

// One command sent to several rooms, and what became of it in each: a room
// counts as done only when its own reply, carrying its command's id, says so.
class VenueRound {
public:
    // Each room's command gets the id `idPrefix`-N.
    VenueRound(const std::vector<std::string>& rooms, const std::string& idPrefix);

    struct Entry {
        std::string room;
        std::string id;
        std::optional<venue::CommandReply> reply;
    };
    const std::vector<Entry>& entries() const { return m_entries; }

    // A payload on `room`'s reply topic. Replies to other commands, repeated
    // replies and payloads that are not replies change nothing; false then.
    bool take(const std::string& room, const std::string& payload);
    bool finished() const;
    bool allDone() const;
    // One line per room in the order given ("101: done", "102: failed: ...",
    // "103: no answer"), with a push's differences indented under its room.
    std::string report() const;

private:
    std::vector<Entry> m_entries;
};

} // namespace quorix::cli
