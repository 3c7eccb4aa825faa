#include "core/processor_record.h"

#include <gtest/gtest.h>

#include <vector>

using namespace quorix::core;

namespace {

constexpr int kMusic = 0x05;        // kind 0
constexpr int kMic34 = 2 * 256 + 3; // kind 2: never moved as a block
constexpr int kCommon = 2560 + 9;   // kind 10: mode index 0 only

enum class Event { Queued, Offline, Acked, Lost, Read };

void Apply(ProcessorRecord& record, Event event, int mode, int address)
{
    switch (event) {
    case Event::Queued:
        record.writeQueued(mode, address);
        break;
    case Event::Offline:
        record.editedOffline(mode, address);
        break;
    case Event::Acked:
        record.writeAcknowledged(mode, address);
        break;
    case Event::Lost:
        record.writeLost(mode, address);
        break;
    case Event::Read:
        record.read(mode, address);
        break;
    }
}

TEST(ProcessorRecord, ACopyStaysMarkedUntilAWriteOfItIsAnsweredOrItIsRead)
{
    struct Case {
        std::vector<Event> events;
        CopyState state;
    };
    const Case cases[] = {
        {{}, CopyState::Unreadable},
        {{Event::Read}, CopyState::Read},
        {{Event::Queued}, CopyState::Queued},
        {{Event::Queued, Event::Acked}, CopyState::Acknowledged},
        {{Event::Queued, Event::Lost}, CopyState::Lost},
        {{Event::Offline}, CopyState::EditedOffline},
        {{Event::Read, Event::Offline, Event::Offline}, CopyState::EditedOffline},
        {{Event::Lost, Event::Offline}, CopyState::EditedOffline},
        {{Event::Offline, Event::Queued, Event::Lost}, CopyState::Lost},
        {{Event::Offline, Event::Queued, Event::Acked}, CopyState::Acknowledged},
        {{Event::Lost, Event::Read}, CopyState::Read},
    };
    for (const Case& c : cases) {
        ProcessorRecord record;
        for (Event e : c.events)
            Apply(record, e, 1, kMusic);
        EXPECT_EQ(record.state(1, kMusic), c.state) << "after " << c.events.size() << " events";
        EXPECT_EQ(record.state(0, kMusic), CopyState::Unreadable) << "the other mode's copy is its own";
        EXPECT_EQ(record.inStep(), !Unconfirmed(c.state));
        const auto expected =
            Unconfirmed(c.state) ? std::vector<std::pair<int, int>>{{1, kMusic}} : std::vector<std::pair<int, int>>{};
        EXPECT_EQ(record.unconfirmed(), expected);
    }
}

TEST(ProcessorRecord, GlobalCopiesHaveOneModeAndUnconfirmedCopiesComeByAddressThenMode)
{
    ProcessorRecord record;
    record.writeLost(1, kCommon);
    EXPECT_EQ(record.state(0, kCommon), CopyState::Lost) << "addresses 2048 and above live at mode index 0";
    record.editedOffline(1, kMic34);
    record.editedOffline(0, kMic34);
    record.writeQueued(1, kMusic);
    EXPECT_EQ(record.unconfirmed(),
              (std::vector<std::pair<int, int>>{{1, kMusic}, {0, kMic34}, {1, kMic34}, {0, kCommon}}));
    EXPECT_THROW(record.state(2, kMusic), std::out_of_range);
    EXPECT_THROW(record.read(0, 3000), std::out_of_range);
}

TEST(ProcessorRecord, TheProtocolReadsNeitherTheSkippedKindsNorRecordingRight)
{
    EXPECT_TRUE(ProcessorRecord::readable(0, kMusic));
    EXPECT_TRUE(ProcessorRecord::readable(1, kMusic));
    EXPECT_TRUE(ProcessorRecord::readable(0, kCommon));
    EXPECT_FALSE(ProcessorRecord::readable(0, kMic34));
    EXPECT_FALSE(ProcessorRecord::readable(0, 9 * 256));
    EXPECT_FALSE(ProcessorRecord::readable(0, 5 * 256 + 1));
}

TEST(ProcessorRecord, AKindReadSettlesItAndACutOffTransferLeavesWhatItMeantToWriteUnknown)
{
    ProcessorRecord record;
    std::vector<std::pair<int, int>> told;
    record.setListener([&told](int mode, int address) { told.emplace_back(mode, address); });
    record.editedOffline(0, kMusic);
    record.kindRead(0, 0);
    EXPECT_EQ(record.state(0, kMusic), CopyState::Read);
    EXPECT_TRUE(record.inStep());
    EXPECT_EQ(told.front(), (std::pair<int, int>{0, kMusic}));

    record.editedOffline(0, kMusic + 1);
    record.transferCutOff(0, 0, 255);
    EXPECT_EQ(record.state(0, kMusic), CopyState::Lost);
    EXPECT_EQ(record.state(0, kMusic + 1), CopyState::EditedOffline) << "an offline edit keeps its own mark";
    EXPECT_FALSE(record.inStep());
    EXPECT_EQ(record.state(1, kMusic), CopyState::Unreadable) << "the dance set was not in the transfer";
}

} // namespace
