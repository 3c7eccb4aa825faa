// The supervisor's periods, read from the times of the traced frames.
#include "journey.h"

#include <sstream>
#include <string>

namespace {

// The times of the frames the console sent with this name.
std::vector<std::int64_t> SentAt(const std::string& trace, const std::string& name)
{
    std::vector<std::int64_t> times;
    std::istringstream lines(trace);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::int64_t time = 0;
        std::string direction, command;
        if (words >> time >> direction >> command && direction == "TX" && command == name)
            times.push_back(time);
    }
    return times;
}

} // namespace

TEST_F(Journey, AHandshakeGoesOutEveryTenTicksWhileSearching)
{
    port.unplug();
    clock.advance(2600);
    EXPECT_EQ(SentAt(trace.str(), "Handshake"), (std::vector<std::int64_t>{500, 1000, 1500, 2000, 2500}));
}

TEST_F(Journey, AKeepAliveGoesOutEveryTwentyTicksWhileOnline)
{
    connect();
    const std::int64_t online = clock.nowMs();
    clock.advance(5000);
    const auto times = SentAt(trace.str(), "KeepAlive");
    ASSERT_GE(times.size(), 5u);
    for (std::size_t i = 1; i < times.size(); ++i)
        EXPECT_EQ(times[i] - times[i - 1], 1000) << i;
    EXPECT_LE(times.front() - online, 1000);
}
