#include "venue_round.h"

#include <algorithm>

namespace quorix::cli {

VenueRound::VenueRound(const std::vector<std::string>& rooms, const std::string& idPrefix)
{
    for (const auto& room : rooms)
        m_entries.push_back({room, idPrefix + "-" + std::to_string(m_entries.size() + 1), std::nullopt});
}

bool VenueRound::take(const std::string& room, const std::string& payload)
{
    const auto parsed = venue::ParseCommandReply(payload);
    if (!parsed.reply)
        return false;
    const auto entry = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry& e) {
        return e.room == room && e.id == parsed.reply->id;
    });
    if (entry == m_entries.end() || entry->reply)
        return false;
    entry->reply = parsed.reply;
    return true;
}

bool VenueRound::finished() const
{
    return std::all_of(m_entries.begin(), m_entries.end(), [](const Entry& e) { return e.reply.has_value(); });
}

bool VenueRound::allDone() const
{
    return std::all_of(m_entries.begin(), m_entries.end(),
                       [](const Entry& e) { return e.reply && e.reply->outcome == venue::Outcome::Done; });
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
        text += venue::OutcomeName(e.reply->outcome);
        if (!e.reply->reason.empty())
            text += ": " + e.reply->reason;
        text += '\n';
        for (const auto& line : e.reply->differences)
            text += "  " + line + '\n';
    }
    return text;
}

} // namespace quorix::cli
