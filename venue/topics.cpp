#include "topics.h"

#include <array>

namespace quorix::venue {

namespace {

constexpr std::string_view kRoot = "quorix";
constexpr std::size_t kLongestName = 64;

std::string_view KindLevel(TopicKind kind)
{
    switch (kind) {
    case TopicKind::State:
        return "state";
    case TopicKind::Command:
        return "command";
    case TopicKind::Reply:
        return "reply";
    case TopicKind::HidOut:
        return "hid-out";
    case TopicKind::HidIn:
        return "hid-in";
    }
    return {};
}

} // namespace

bool ValidName(std::string_view name)
{
    if (name.empty() || name.size() > kLongestName)
        return false;
    for (const char c : name) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letter && c != '-' && c != '_' && c != '.')
            return false;
    }
    return true;
}

std::string Topic(const RoomAddress& room, TopicKind kind)
{
    return std::string(kRoot) + "/" + room.venue + "/" + room.room + "/" + std::string(KindLevel(kind));
}

std::string VenueFilter(std::string_view venue, TopicKind kind)
{
    return std::string(kRoot) + "/" + std::string(venue) + "/+/" + std::string(KindLevel(kind));
}

int TopicQos(std::string_view topic)
{
    for (const TopicKind kind : {TopicKind::HidOut, TopicKind::HidIn})
        if (topic.ends_with("/" + std::string(KindLevel(kind))))
            return 0;
    return 1;
}

std::optional<RoomAddress> RoomOfTopic(std::string_view topic, TopicKind kind)
{
    std::array<std::string_view, 4> levels;
    std::size_t count = 0;
    while (count < levels.size()) {
        const auto slash = topic.find('/');
        levels[count++] = topic.substr(0, slash);
        if (slash == std::string_view::npos) {
            topic = {};
            break;
        }
        topic.remove_prefix(slash + 1);
        if (count == levels.size())
            return std::nullopt; // more levels than a room topic has
    }
    if (count != levels.size() || levels[0] != kRoot || levels[3] != KindLevel(kind) || !ValidName(levels[1]) ||
        !ValidName(levels[2]))
        return std::nullopt;
    return RoomAddress{std::string(levels[1]), std::string(levels[2])};
}

} // namespace quorix::venue
