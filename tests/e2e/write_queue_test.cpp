// Control edits through the one edit path into the link's write queue: nothing
// waits, a drag never builds a backlog, and shared parameters land in both of
// the processor's sets.
#include "journey.h"

#include "core/param_editor.h"

#include <utility>
#include <vector>

using namespace quorix;

namespace {

constexpr int kMainMusicLevel = 1024;            // per mode
constexpr int kMainLeftLevel = 1024 + 4;         // shared
constexpr int kLateReflectionDelay = 768 + 0x13; // shared, edited in the effect window

struct WriteQueue : Journey {
    core::ParamEditor editor{store, view, device};
    std::vector<std::pair<int, int>> lost;

    void SetUp() override
    {
        Journey::SetUp();
        device.onWriteLost([this](int mode, int address) { lost.emplace_back(mode, address); });
    }
};

} // namespace

TEST_F(WriteQueue, ADragReturnsAtOnceAndTheProcessorEndsAtTheLastValue)
{
    connect();
    port.setReplyDelay(20);
    const int before = processor.requestsReceived();
    for (int value = 1; value <= 60; ++value) {
        const auto start = clock.nowMs();
        editor.setValue(kMainMusicLevel, value, core::ParamEditor::UndoStep::Burst);
        EXPECT_EQ(clock.nowMs(), start); // the handler never waits
        EXPECT_LE(device.queuedWrites(0, kMainMusicLevel), 1);
        clock.advance(16);
    }
    clock.advance(1000);
    EXPECT_EQ(processor.value(0, kMainMusicLevel), 60);
    EXPECT_LT(processor.requestsReceived() - before, 60); // values overtaken in the queue never went out
    EXPECT_TRUE(lost.empty());
}

TEST_F(WriteQueue, WritesGoOutInOrderAndOneWaitingWriteGivesWayToANewerOne)
{
    connect();
    port.setReplyDelay(20);
    editor.setValue(kMainMusicLevel + 2, 1); // on the wire at once
    editor.setValue(kMainMusicLevel, 5);     // waits
    editor.setValue(kMainMusicLevel + 1, 7); // waits
    editor.setValue(kMainMusicLevel, 6);     // replaces the waiting 5, behind the 7
    const int before = processor.requestsReceived();
    clock.advance(1000);
    EXPECT_EQ(processor.requestsReceived() - before, 2);
    EXPECT_EQ(processor.value(0, kMainMusicLevel), 6);
    EXPECT_EQ(processor.value(0, kMainMusicLevel + 1), 7);
    const std::string sent = trace.str();
    EXPECT_LT(sent.find("FE 00 00 04 01"), sent.find("FE 00 00 04 00")) << sent;
}

TEST_F(WriteQueue, ASharedEditMadeInDanceModeSurvivesTheNextFullRead)
{
    connect();
    view.currentMode = 1;
    editor.setValue(kLateReflectionDelay, 123);
    editor.setValue(kMainLeftLevel, 66);
    editor.setValue(kMainMusicLevel, 44);
    clock.advance(1000);
    EXPECT_EQ(processor.value(0, kLateReflectionDelay), 123);
    EXPECT_EQ(processor.value(1, kLateReflectionDelay), 123);
    EXPECT_EQ(processor.value(0, kMainLeftLevel), 66);
    EXPECT_EQ(processor.value(1, kMainLeftLevel), 66);
    EXPECT_EQ(processor.value(1, kMainMusicLevel), 44);
    EXPECT_NE(processor.value(0, kMainMusicLevel), 44); // a per-mode edit keeps to the mode on show

    ASSERT_TRUE(readFromDevice(0, true, link::Command::ReadBlock));
    for (int mode : {0, 1}) {
        EXPECT_EQ(store.at(mode, kLateReflectionDelay).value, 123);
        EXPECT_EQ(store.at(mode, kMainLeftLevel).value, 66);
    }
}

TEST_F(WriteQueue, ABlockReadWaitsBehindTheWritesQueuedBeforeIt)
{
    connect();
    port.setReplyDelay(20);
    editor.setValue(kMainMusicLevel, 9);
    editor.setValue(kMainMusicLevel + 1, 11);
    processor.setValue(0, kMainMusicLevel + 2, 90); // changed on the processor: the read must bring it
    ASSERT_TRUE(readFromDevice(0, true, link::Command::ReadBlock));
    EXPECT_EQ(processor.value(0, kMainMusicLevel), 9);
    EXPECT_EQ(store.at(0, kMainMusicLevel).value, 9);
    EXPECT_EQ(processor.value(0, kMainMusicLevel + 1), 11);
    EXPECT_EQ(store.at(0, kMainMusicLevel + 2).value, 90);
}

TEST_F(WriteQueue, AfterALossNothingQueuedGoesOutAndEveryLostWriteIsReported)
{
    connect();
    processor.dropNextReplies(1000);
    editor.setValue(kMainMusicLevel, 1);
    editor.setValue(kMainLeftLevel, 2);
    const int before = processor.requestsReceived();
    clock.advance(9 * 600 + 100);
    EXPECT_FALSE(device.online());
    EXPECT_EQ(processor.requestsReceived() - before, 8); // the first write's retries only: 9 sends in all
    EXPECT_EQ(lost, (std::vector<std::pair<int, int>>{{0, kMainMusicLevel}, {0, kMainLeftLevel}, {1, kMainLeftLevel}}));
    EXPECT_EQ(host.count(link::LinkCode::Lost), 1);
    editor.setValue(kMainMusicLevel, 3); // offline: the store only
    clock.advance(1000);
    EXPECT_EQ(store.at(0, kMainMusicLevel).value, 3);
    EXPECT_EQ(lost.size(), 3u);
}
