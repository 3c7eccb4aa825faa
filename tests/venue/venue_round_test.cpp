#include "cli/venue_round.h"

#include <gtest/gtest.h>

using quorix::cli::VenueRound;

TEST(VenueRound, ARoomIsDoneOnlyOnItsOwnReplyAndSilenceIsNoSuccess)
{
    VenueRound round({"101", "102", "103"}, "cli-1");
    const auto& e = round.entries();
    EXPECT_EQ(e[0].id, "cli-1-1");
    const auto reply = [](const std::string& id, const char* outcome) {
        return R"({"id":")" + id + R"(","outcome":")" + outcome + R"("})";
    };
    EXPECT_FALSE(round.take("102", reply(e[0].id, "done"))); // another room's id
    EXPECT_FALSE(round.take("101", reply("cli-0-1", "done"))); // an older round
    EXPECT_FALSE(round.take("101", "{not a reply"));
    EXPECT_TRUE(round.take("101", reply(e[0].id, "done")));
    EXPECT_FALSE(round.take("101", reply(e[0].id, "failed"))); // repeated
    EXPECT_TRUE(round.take("102", R"({"id":"cli-1-2","outcome":"refused","reason":"no"})"));
    EXPECT_FALSE(round.finished());
    EXPECT_FALSE(round.allDone());
    EXPECT_EQ(round.report(), "101: done\n102: refused: no\n103: no answer\n");
}
