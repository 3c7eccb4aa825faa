#include "venue_round.h"

#include "topics.h"

#include <algorithm>

namespace quorix::venue {

VenueRound::VenueRound(const std::vector<std::string>& rooms, const std::string& idPrefix)
{
    for (const auto& room : rooms)
        m_entries.push_back({room, idPrefix + "-" + std::to_string(m_entries.size() + 1), std::nullopt});
}

VenueRound::Status VenueRound::status(const Entry& entry) const
{
    if (entry.reply) {
        switch (entry.reply->outcome) {
        case Outcome::Done:
            return Status::Done;
        case Outcome::Refused:
            return Status::Refused;
        case Outcome::Failed:
            return Status::Failed;
        }
    }
    if (m_expired)
        return Status::NoAnswer;
    return entry.delivered ? Status::Delivered : Status::Sending;
}

void VenueRound::send(const std::string& venue, const RoomCommand& command, const Publish& publish)
{
    const CommandPayload payload(command);
    for (Entry& entry : m_entries)
        entry.publication = publish(Topic({venue, entry.room}, TopicKind::Command), payload.withId(entry.id));
}

bool VenueRound::delivered(int publication)
{
    const auto entry = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&](const Entry& e) { return publication >= 0 && e.publication == publication; });
    if (entry == m_entries.end() || entry->delivered)
        return false;
    entry->delivered = true;
    return true;
}

bool VenueRound::take(const std::string& room, const std::string& payload)
{
    if (m_expired)
        return false;
    const auto parsed = ParseCommandReply(payload);
    if (!parsed.reply)
        return false;
    const auto entry = std::find_if(m_entries.begin(), m_entries.end(),
                                    [&](const Entry& e) { return e.room == room && e.id == parsed.reply->id; });
    if (entry == m_entries.end() || entry->reply)
        return false;
    // A reply can overtake the broker's acknowledgement of the command.
    entry->delivered = true;
    entry->reply = parsed.reply;
    return true;
}

bool VenueRound::answered() const
{
    return std::all_of(m_entries.begin(), m_entries.end(), [](const Entry& e) { return e.reply.has_value(); });
}

bool VenueRound::allDone() const
{
    return std::all_of(m_entries.begin(), m_entries.end(),
                       [](const Entry& e) { return e.reply && e.reply->outcome == Outcome::Done; });
}

std::string VenueRound::report() const
{
    std::string text;
    for (const Entry& e : m_entries) {
        text += e.room + ": ";
        if (!e.reply) {
            text += "no answer\n";
            continue;
        }
        text += OutcomeName(e.reply->outcome);
        if (!e.reply->reason.empty())
            text += ": " + e.reply->reason;
        text += '\n';
        for (const auto& line : e.reply->differences)
            text += "  " + line + '\n';
    }
    return text;
}

} // namespace quorix::venue
