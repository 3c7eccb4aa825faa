// Requests made inside other requests' waits: a drag, key repeat or wheel
// writes while a write or a synchronisation waits for its reply.
#include "journey.h"

#include <cstdint>

using namespace quorix;

TEST_F(Journey, WritesMadeDuringWaitsLandWithTheNewestValue)
{
    connect();
    port.setReplyDelay(30);
    std::vector<bool> nested;
    at(10, [&] {
        store.at(0, 1024).value = 2;
        nested.push_back(writeParam(1024));
    });
    at(20, [&] {
        store.at(0, 1024).value = 3;
        nested.push_back(writeParam(1024));
    });
    const int before = processor.requestsReceived();
    store.at(0, 1024).value = 1;
    EXPECT_TRUE(writeParam(1024));
    EXPECT_EQ(nested, (std::vector<bool>{true, true}));
    EXPECT_EQ(processor.working().at(0, 1024).value, 3);
    EXPECT_EQ(processor.requestsReceived() - before, 2); // 1, then 3 once: the third write's value was already sent
}

TEST_F(Journey, ABurstOfNestedWritesLeavesTheProcessorEqualToTheStore)
{
    connect();
    port.setReplyDelay(30);
    const int addresses[] = {1024, 1025, 3, 256 + 2};
    std::uint32_t seed = 7;
    int answered = 0;
    for (int i = 1; i <= 50; ++i)
        at(i, [&] {
            seed = seed * 1664525u + 1013904223u;
            const int address = addresses[(seed >> 8) % 4];
            const int value = static_cast<int>((seed >> 12) % 200);
            view.currentMode = static_cast<std::uint8_t>((seed >> 20) % 2);
            auto& edited = store.at(core::ModeForAddress(address, view.currentMode), address);
            if (link::TravelsAsBand(address))
                edited.band.gain = value;
            else
                edited.value = value;
            answered += writeParam(address) ? 1 : 0;
        });
    clock.advance(60000);
    EXPECT_EQ(answered, 50);
    EXPECT_TRUE(host.messages.empty());
    for (int mode : {0, 1})
        for (int address : addresses)
            expectRecordMatchesProcessor(mode, address);
}

TEST_F(Journey, OnceTheLinkIsLostQueuedRequestsReturnFalseWithoutBeingSent)
{
    connect();
    processor.dropNextReplies(1000);
    std::vector<bool> nested;
    for (int i = 1; i <= 4; ++i)
        at(10 * i, [&, i] { nested.push_back(writeParam(1024 + i)); });
    const int before = processor.requestsReceived();
    const auto start = clock.nowMs();
    EXPECT_FALSE(writeParam(1024));
    EXPECT_EQ(clock.nowMs() - start, 9 * 600);
    EXPECT_EQ(processor.requestsReceived() - before, 9);
    EXPECT_EQ(nested, std::vector<bool>(4, false));
    EXPECT_EQ(host.count(link::LinkCode::Lost), 1);
}

TEST_F(Journey, SwitchingTheLinkOffReleasesQueuedRequestsAtOnce)
{
    connect();
    processor.dropNextReplies(1000);
    std::vector<std::pair<bool, std::int64_t>> nested;
    at(10, [&] {
        const bool written = writeParam(1025);
        nested.emplace_back(written, clock.nowMs());
    });
    at(20, [&] { device.toggleConnection(); });
    const int before = processor.requestsReceived();
    const auto start = clock.nowMs();
    EXPECT_FALSE(writeParam(1024));
    EXPECT_EQ(nested, (std::vector<std::pair<bool, std::int64_t>>{{false, start + 20}}));
    EXPECT_EQ(clock.nowMs() - start, 600); // the request on the wire ends with its wait, not repeated
    EXPECT_EQ(processor.requestsReceived() - before, 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Journey, ANestedWriteThatCannotBeBuiltFailsAloneAndTheSynchronisationGoesOn)
{
    port.setReplyDelay(30);
    store.at(0, 1024).value = 70000; // cannot travel in two base-250 digits
    bool tried = false;
    bool written = true;
    bool faulted = false;
    host.onTick = [&] {
        if (host.progressVisible && !tried) {
            tried = true;
            written = writeParam(1024);
            faulted = device.lastRequestFaulted();
        }
    };
    connect();
    ASSERT_TRUE(tried);
    EXPECT_FALSE(written);
    EXPECT_TRUE(faulted);
    EXPECT_EQ(host.synchronisations, std::vector<bool>{true});
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(device.online());
}

TEST_F(Journey, ALoopInsideTheLossReportDoesNotRunTheTickInsideItself)
{
    processor.setKeepAliveSilent(true);
    int ticksDuringTheBox = -1;
    host.onMessage = [&] {
        int ticks = 0;
        host.onTick = [&] { ++ticks; };
        clock.advance(2000);
        host.onTick = nullptr;
        ticksDuringTheBox = ticks;
    };
    connect();
    clock.runUntil([&] { return !host.messages.empty(); }, 20000);
    EXPECT_EQ(ticksDuringTheBox, 0); // the loss was reported from inside the tick
    EXPECT_EQ(host.count(link::LinkCode::Lost), 1);
    EXPECT_FALSE(device.online());

    host.onMessage = nullptr;
    processor.setKeepAliveSilent(false);
    clock.runUntil([&] { return device.online(); }, 5000);
}

// The processor may change behind the console's back (its own panel, another
// console), so a write made after the same frame went out is sent again.
TEST_F(Journey, AWriteMadeAfterTheSameFrameWentOutIsSentAgain)
{
    connect();
    store.at(0, 1024).value = 7;
    ASSERT_TRUE(writeParam(1024));
    processor.setValue(0, 1024, 9);
    const int before = processor.requestsReceived();
    EXPECT_TRUE(writeParam(1024));
    EXPECT_EQ(processor.requestsReceived() - before, 1);
    EXPECT_EQ(processor.value(0, 1024), 7);
}

// A queued write goes out with the store's value of the moment, even when a
// frame for the same address went out after the write was made but carried an
// older value (a graph drag changes the store before its own write is made).
TEST_F(Journey, AQueuedWriteIsSentWhenTheLastFrameForItsAddressCarriedAnOlderValue)
{
    connect();
    port.setReplyDelay(30);
    at(10, [&] {
        store.at(0, 1024).value = 2;
        EXPECT_TRUE(writeParam(1024)); // goes out at 30 ms with the value 3
    });
    at(20, [&] {
        store.at(0, 1024).value = 3;
        EXPECT_TRUE(writeParam(1024)); // goes out at 60 ms with the value 4
    });
    at(40, [&] { store.at(0, 1024).value = 4; });
    store.at(0, 1024).value = 1;
    EXPECT_TRUE(writeParam(1024));
    EXPECT_EQ(processor.value(0, 1024), 4);
}

// A sent request's caller is told once, in a turn of the event loop of its own,
// in the order the requests were made; after a loss nothing more goes out.
TEST_F(Journey, SentRequestsAreToldInOrderOnceAndNeverInsideTheCallThatSentThem)
{
    connect();
    std::vector<std::pair<int, bool>> told;
    const auto send = [&](int tag, link::Command command) {
        device.sendCommand(command, 0, 0,
                           [&told, tag](const link::RequestOutcome& o) { told.emplace_back(tag, o.answered); });
    };
    send(1, link::Command::ReadStatus);
    send(2, link::Command::ReadStatus);
    EXPECT_TRUE(told.empty());
    EXPECT_TRUE(device.replyWaitActive());
    clock.runUntil([&] { return told.size() == 2; }, 5000);
    EXPECT_EQ(told, (std::vector<std::pair<int, bool>>{{1, true}, {2, true}}));
    EXPECT_FALSE(device.replyWaitActive());

    processor.dropNextReplies(1000);
    told.clear();
    const auto sentStatuses = [&] {
        const std::string text = trace.str();
        int n = 0;
        for (auto at = text.find("TX ReadStatus"); at != std::string::npos; at = text.find("TX ReadStatus", at + 1))
            ++n;
        return n;
    };
    const int before = sentStatuses();
    send(3, link::Command::ReadStatus);
    send(4, link::Command::ReadStatus);
    clock.runUntil([&] { return told.size() == 2; }, 20000);
    EXPECT_EQ(told, (std::vector<std::pair<int, bool>>{{3, false}, {4, false}}));
    EXPECT_EQ(sentStatuses() - before, link::RequestChannel::kAttempts); // the second never went out
    send(5, link::Command::ReadStatus);
    clock.advance(2000);
    EXPECT_EQ(told.back(), std::make_pair(5, false));
    EXPECT_EQ(sentStatuses() - before, link::RequestChannel::kAttempts);
    EXPECT_EQ(host.count(link::LinkCode::Lost), 1);
}
