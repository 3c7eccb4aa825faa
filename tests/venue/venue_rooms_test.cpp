#include "venue/venue_rooms.h"

#include <gtest/gtest.h>

using quorix::venue::VenueRooms;
using Drift = VenueRooms::Drift;

namespace {

std::string State(const std::string& room, const std::string& hash, int seen = 1796953838)
{
    return R"({"venue":"hall","room":")" + room + R"(","online":true,"lastSeen":)" + std::to_string(seen) +
           R"(,"processor":{"variant":"1","preset":2,"mode":"dance","levels":{"music":20,"microphone":23,"effect":32},)"
           R"("muted":{"music":false,"microphone":true,"effect":false},"tone":5,"workingSetHash":")" +
           hash + R"("}})";
}

constexpr const char* kSame = "00000000000000aa";
constexpr const char* kOther = "00000000000000bb";

} // namespace

TEST(VenueRooms, AnAgentGoneOfflineKeepsWhatItLastToldAndAnEmptiedStateRemovesTheRoom)
{
    VenueRooms rooms("hall");
    EXPECT_EQ(rooms.take("quorix/hall/101/state", State("101", kSame)).room, "101");
    // The will: nothing but offline.
    EXPECT_EQ(rooms.take("quorix/hall/101/state", R"({"venue":"hall","room":"101","online":false})").room, "101");
    const auto& room = rooms.rooms().at("101");
    EXPECT_FALSE(room.online);
    ASSERT_TRUE(room.processor);
    EXPECT_EQ(room.processor->preset, 2);
    EXPECT_EQ(room.lastSeen, 1796953838);
    // Back online without a processor: that is news, not kept.
    rooms.take("quorix/hall/101/state", R"({"venue":"hall","room":"101","online":true,"lastSeen":5,"processor":null})");
    EXPECT_FALSE(rooms.rooms().at("101").processor);
    EXPECT_EQ(rooms.take("quorix/hall/101/state", "").room, "101");
    EXPECT_TRUE(rooms.rooms().empty());
    EXPECT_FALSE(rooms.take("quorix/hall/101/state", "").room); // nothing left to remove
}

TEST(VenueRooms, APayloadThatIsNotTheTopicsOwnRoomsStateChangesNothing)
{
    VenueRooms rooms("hall");
    rooms.take("quorix/hall/101/state", State("101", kSame));
    const auto before = rooms.rooms();
    const struct {
        const char* topic;
        std::string payload;
    } refused[] = {
        {"quorix/hall/101/state", State("102", kOther)},                             // another room's state
        {"quorix/lobby/101/state", State("101", kOther)},                            // another venue
        {"quorix/hall/101/reply", State("101", kOther)},                             // not a state topic
        {"quorix/hall/101/state", R"({"venue":"hall","room":"101","online":true})"}, // not whole
        {"quorix/hall/101/state", "{\"venue\":"},
    };
    for (const auto& r : refused) {
        const auto taken = rooms.take(r.topic, r.payload);
        EXPECT_FALSE(taken.room) << r.topic << ' ' << r.payload;
        EXPECT_FALSE(taken.refusal.empty()) << r.payload;
    }
    EXPECT_EQ(rooms.rooms(), before);
}

TEST(VenueRooms, DriftIsKnownOnlyWithAReferenceAndAProcessor)
{
    VenueRooms rooms("hall");
    rooms.take("quorix/hall/101/state", State("101", kSame));
    rooms.take("quorix/hall/102/state", State("102", kOther));
    rooms.take("quorix/hall/103/state", R"({"venue":"hall","room":"103","online":true,"lastSeen":5,"processor":null})");
    EXPECT_EQ(rooms.drift("101"), Drift::Unknown);
    rooms.setReference(kSame);
    EXPECT_EQ(rooms.drift("101"), Drift::Same);
    EXPECT_EQ(rooms.drift("102"), Drift::Differs);
    EXPECT_EQ(rooms.drift("103"), Drift::Unknown);
    EXPECT_EQ(rooms.drift("999"), Drift::Unknown);
}
