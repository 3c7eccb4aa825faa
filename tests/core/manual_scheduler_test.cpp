#include "core/manual_scheduler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace quorix::core;

TEST(ManualScheduler, FiresDueTimersInTimeOrder)
{
    ManualScheduler clock;
    std::string log;
    auto tick = clock.createTimer(50, false, [&] { log += "t" + std::to_string(clock.nowMs()) + " "; });
    auto once = clock.createTimer(120, true, [&] { log += "o" + std::to_string(clock.nowMs()) + " "; });
    tick->start();
    once->start();
    clock.advance(160);
    EXPECT_EQ(log, "t50 t100 o120 t150 ");
    EXPECT_FALSE(once->isActive());
    EXPECT_TRUE(tick->isActive());
    EXPECT_EQ(clock.nowMs(), 160);
}

TEST(ManualScheduler, StartRestartsAndStopCancels)
{
    ManualScheduler clock;
    int fired = 0;
    auto timer = clock.createTimer(1000, true, [&] { ++fired; });
    timer->start();
    clock.advance(900);
    timer->start(); // restart: due at 1900
    clock.advance(900);
    EXPECT_EQ(fired, 0);
    clock.advance(100);
    EXPECT_EQ(fired, 1);
    timer->start();
    timer->stop();
    clock.advance(5000);
    EXPECT_EQ(fired, 1);
}

TEST(ManualScheduler, NestedWaitsMoveTheClockToTheNextTimer)
{
    ManualScheduler clock;
    bool waiting = true;
    auto timeout = clock.createTimer(600, true, [&] { waiting = false; });
    auto tick = clock.createTimer(50, false, [] {});
    tick->start();
    timeout->start();
    int turns = 0;
    while (waiting) {
        clock.processPendingEvents();
        ++turns;
    }
    EXPECT_EQ(clock.nowMs(), 600);
    EXPECT_EQ(turns, 12);
    tick->stop();
    EXPECT_THROW(clock.processPendingEvents(), std::logic_error);
}

TEST(ManualScheduler, ATimerCanStopItselfFromItsCallback)
{
    ManualScheduler clock;
    std::unique_ptr<Timer> timer;
    int fired = 0;
    timer = clock.createTimer(10, false, [&] {
        if (++fired == 3)
            timer->stop();
    });
    timer->start();
    clock.advance(100);
    EXPECT_EQ(fired, 3);
}

// A callback that waits (a nested event loop) never sees its own timer fire
// inside it; the timer fires once, late, when the callback has returned.
TEST(ManualScheduler, ATimerNeverFiresInsideItsOwnCallback)
{
    ManualScheduler clock;
    int depth = 0;
    int deepest = 0;
    std::vector<std::int64_t> fired;
    bool waited = false;
    auto wakeUp = clock.createTimer(95, true, [] {});
    auto tick = clock.createTimer(10, false, [&] {
        fired.push_back(clock.nowMs());
        deepest = std::max(deepest, ++depth);
        if (!waited) {
            waited = true;
            wakeUp->start();
            while (wakeUp->isActive())
                clock.processPendingEvents();
        }
        --depth;
    });
    tick->start();
    clock.advance(130);
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(fired, (std::vector<std::int64_t>{10, 105, 115, 125}));
}

TEST(ManualScheduler, AWaitWhoseOnlyTimerIsRunningCannotEnd)
{
    ManualScheduler clock;
    std::unique_ptr<Timer> tick;
    bool threw = false;
    tick = clock.createTimer(10, false, [&] {
        try {
            clock.processPendingEvents();
        } catch (const std::logic_error&) {
            threw = true;
        }
        tick->stop();
    });
    tick->start();
    clock.advance(10);
    EXPECT_TRUE(threw);
}
