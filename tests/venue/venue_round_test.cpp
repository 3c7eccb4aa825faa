#include "venue/venue_round.h"

#include <gtest/gtest.h>

using quorix::venue::VenueRound;
using Status = VenueRound::Status;

namespace {

std::string Reply(const std::string& id, const char* outcome)
{
    return R"({"id":")" + id + R"(","outcome":")" + outcome + R"("})";
}

} // namespace

TEST(VenueRound, ARoomIsDoneOnlyOnItsOwnReplyAndSilenceIsNoSuccess)
{
    VenueRound round({"101", "102", "103"}, "cli-1");
    const auto& e = round.entries();
    EXPECT_EQ(e[0].id, "cli-1-1");
    EXPECT_FALSE(round.take("102", Reply(e[0].id, "done")));   // another room's id
    EXPECT_FALSE(round.take("101", Reply("cli-0-1", "done"))); // an older round
    EXPECT_FALSE(round.take("101", "{not a reply"));
    EXPECT_TRUE(round.take("101", Reply(e[0].id, "done")));
    EXPECT_FALSE(round.take("101", Reply(e[0].id, "failed"))); // repeated
    EXPECT_TRUE(round.take("102", R"({"id":"cli-1-2","outcome":"refused","reason":"no"})"));
    EXPECT_FALSE(round.answered());
    EXPECT_FALSE(round.allDone());
    EXPECT_EQ(round.report(), "101: done\n102: refused: no\n103: no answer\n");
}

TEST(VenueRound, EachRoomGoesFromSentToItsOutcomeAndTheUnansweredToNoAnswerAtExpiry)
{
    VenueRound round({"101", "102", "103"}, "w-7");
    std::vector<std::pair<std::string, std::string>> sent;
    int nextId = 40;
    quorix::venue::RoomCommand recall;
    recall.kind = quorix::venue::CommandKind::Recall;
    recall.preset = 4;
    round.send("hall", recall, [&](const std::string& topic, const std::string& payload) {
        sent.emplace_back(topic, payload);
        return topic.find("/103/") != std::string::npos ? -1 : nextId++; // 103: not connected
    });
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1].first, "quorix/hall/102/command");
    EXPECT_EQ(sent[1].second, R"({"id":"w-7-2","command":"recall","preset":4})");

    const auto& e = round.entries();
    EXPECT_EQ(round.status(e[0]), Status::Sending);
    EXPECT_FALSE(round.delivered(-1)); // 103's command never went out
    EXPECT_FALSE(round.delivered(99));
    EXPECT_TRUE(round.delivered(41));
    EXPECT_EQ(round.status(e[1]), Status::Delivered);
    // A reply may come before the broker's acknowledgement.
    EXPECT_TRUE(round.take("101", Reply("w-7-1", "failed")));
    EXPECT_EQ(round.status(e[0]), Status::Failed);
    EXPECT_FALSE(round.delivered(40));

    round.expire();
    EXPECT_EQ(round.status(e[1]), Status::NoAnswer);
    EXPECT_EQ(round.status(e[2]), Status::NoAnswer);
    EXPECT_FALSE(round.take("102", Reply("w-7-2", "done"))); // too late to count
    EXPECT_EQ(round.status(e[1]), Status::NoAnswer);
    EXPECT_FALSE(round.allDone());
}
