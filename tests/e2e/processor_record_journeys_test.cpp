#include "journey.h"

#include "core/await_outcome.h"

#include "presets/processor_comparison.h"

#include "core/common_addresses.h"
#include "core/tuning_document.h"

#include <algorithm>

using namespace quorix;
using link::Command;
using presets::ComparedCopy;
using Group = ComparedCopy::Group;
using Synchronisation = presets::ProcessorComparison::Synchronisation;

// The console against the processor record: what it knows the processor holds,
// through offline edits, lost writes, file opens and reconnections. Each
// journey ends with every copy the processor holds equal to the store's, or
// marked in the record.
struct RecordJourney : Journey {
    core::TuningDocument document{store, view, device, clock};
    presets::ProcessorComparison comparison{device, document.edits(), view, record};

    void SetUp() override
    {
        Journey::SetUp();
        device.setSynchronisation([this](link::TransferDone done) {
            comparison.synchronise([done](Synchronisation outcome) { done(outcome != Synchronisation::Failed); });
        });
    }

    presets::ProcessorComparison::Outcome compare()
    {
        using Outcome = presets::ProcessorComparison::Outcome;
        return core::AwaitOutcome<Outcome>(clock, [&](std::function<void(Outcome)> done) { comparison.compare(done); });
    }

    void goOffline() { device.offlineModeChosen(); }
    // Until the next synchronisation after a connection has ended, well or not.
    void waitForSync()
    {
        const std::size_t synchronisations = host.synchronisations.size();
        clock.runUntil([&] { return host.synchronisations.size() > synchronisations; }, 20000);
        ASSERT_GT(host.synchronisations.size(), synchronisations);
    }
    void reconnect()
    {
        device.onlineModeChosen();
        waitForSync();
    }
    void drain()
    {
        clock.runUntil([&] { return record.unconfirmed().empty() || !device.online(); }, 20000);
    }
    const ComparedCopy* listed(int mode, int address) const
    {
        for (const ComparedCopy& c : comparison.copies())
            if (c.mode == mode && c.address == address)
                return &c;
        return nullptr;
    }
    // The processor holds the store's value of every copy it can hold, or the record says it may not.
    void expectNothingUnmarked()
    {
        const core::ParamStore held = processor.working();
        for (int address = 0; address < core::kAddressCount; ++address) {
            if (core::KindOfAddress(address) < 0 || address == core::kRightsAddress)
                continue;
            for (int mode = 0; mode < (address < core::kFirstGlobalAddress ? 2 : 1); ++mode) {
                const core::CopyState state = record.state(mode, address);
                if (core::Unconfirmed(state) || state == core::CopyState::Unreadable)
                    continue;
                const auto& ours = store.at(mode, address);
                const auto& theirs = held.at(mode, address);
                const bool same = link::TravelsAsBand(address) ? ours.band == theirs.band : ours.value == theirs.value;
                EXPECT_TRUE(same) << "mode " << mode << " address " << address << " unmarked";
            }
        }
    }
};

// Unplug, set Mic34's first parameter, re-plug: the copy the protocol cannot read comes back in the second group.
TEST_F(RecordJourney, AnOfflineEditOfAKindTheProtocolCannotReadIsOfferedAndWritten)
{
    constexpr int kMic34 = 0x200;
    connect();
    goOffline();
    document.edits().setValue(kMic34, 123);
    EXPECT_EQ(record.state(0, kMic34), core::CopyState::EditedOffline);
    EXPECT_FALSE(record.inStep());
    reconnect();
    const ComparedCopy* row = listed(0, kMic34);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->group, Group::NotReadBack);
    EXPECT_TRUE(row->chosen);
    EXPECT_EQ(comparison.count(Group::ReadDifferent), 0u);

    comparison.writeScreen();
    drain();
    EXPECT_EQ(processor.value(0, kMic34), 123);
    EXPECT_TRUE(record.inStep());
    expectNothingUnmarked();
}

// In dance mode, offline, a shared parameter edited: both of the processor's copies are written again, singing first.
TEST_F(RecordJourney, AnOfflineEditOfASharedParameterReachesTheProcessorsDanceCopy)
{
    constexpr int kEchoPreDelay = 0x300;
    connect();
    ASSERT_FALSE(store.at(0, kEchoPreDelay).perMode);
    view.currentMode = 1;
    goOffline();
    document.edits().setValue(kEchoPreDelay, 123);
    reconnect();
    ASSERT_NE(listed(0, kEchoPreDelay), nullptr);
    ASSERT_NE(listed(1, kEchoPreDelay), nullptr) << "the dance copy is compared as the processor holds it";

    comparison.writeScreen();
    drain();
    EXPECT_EQ(processor.value(0, kEchoPreDelay), 123);
    EXPECT_EQ(processor.value(1, kEchoPreDelay), 123);
    EXPECT_EQ(compare(), presets::ProcessorComparison::Outcome::Read);
    EXPECT_TRUE(comparison.copies().empty());
    expectNothingUnmarked();
}

// Writes lost with the link are told, with their count, and offered again on reconnection.
TEST_F(RecordJourney, LostWritesAreToldAndOfferedAgain)
{
    constexpr int kSurroundLevel = 5 * 256;
    constexpr int kMusicLevel = 4 * 256;
    connect();
    processor.dropNextReplies(1000);
    document.edits().setValue(kSurroundLevel, 33);
    document.edits().setValue(kMusicLevel, 44);
    clock.runUntil([&] { return !device.online(); }, 20000);
    EXPECT_EQ(record.state(0, kSurroundLevel), core::CopyState::Lost);
    EXPECT_EQ(record.state(0, kMusicLevel), core::CopyState::Lost);
    EXPECT_EQ(host.count(link::LinkCode::WritesLost), 1);
    EXPECT_GE(host.writesLost, 2);

    processor.dropNextReplies(0);
    waitForSync();
    ASSERT_NE(listed(0, kSurroundLevel), nullptr);
    EXPECT_EQ(listed(0, kSurroundLevel)->group, Group::NotReadBack);
    ASSERT_NE(listed(0, kMusicLevel), nullptr);
    EXPECT_EQ(listed(0, kMusicLevel)->group, Group::ReadDifferent);
    comparison.writeScreen();
    drain();
    EXPECT_EQ(processor.value(0, kSurroundLevel), 33);
    EXPECT_EQ(processor.value(0, kMusicLevel), 44);
    EXPECT_TRUE(record.inStep());
    expectNothingUnmarked();
}

// A file whose shared parameter differs from the processor's dance copy: the block carries the
// singing set only, so the dance copy goes singly, and the processor holds the file in both modes.
TEST_F(RecordJourney, AFileOpenWritesTheDanceCopiesOfSharedParametersTheBlockCannotCarry)
{
    constexpr int kMicValue = 0x100;
    processor.setValue(0, kMicValue, 44);
    processor.setValue(1, kMicValue, 44);
    connect();
    ASSERT_FALSE(store.at(0, kMicValue).perMode);
    image = store;
    image.at(0, kMicValue).value = 55;
    image.at(1, kMicValue).value = 55;
    ASSERT_TRUE(writeToDevice(view.currentPreset));
    ASSERT_TRUE(readFromDevice(view.currentPreset, false, Command::ReadBlockBack));
    drain();
    EXPECT_EQ(processor.value(0, kMicValue), 55);
    EXPECT_EQ(processor.value(1, kMicValue), 55);
    EXPECT_EQ(store.at(1, kMicValue).value, 55);
    EXPECT_TRUE(record.inStep());
    expectNothingUnmarked();
}

// Unplugged part way through a file's block write: said as a failed write, and the next reconnection compares.
TEST_F(RecordJourney, AFileWriteCutOffIsAFailedWriteAndTheReconnectionCompares)
{
    connect();
    image = store;
    image.at(0, 768 + 0x14).value = 444; // kind 3: cut off
    EXPECT_FALSE(writeUnpluggedAtTheThirdBlock());
    EXPECT_EQ(host.count(link::LinkCode::WriteCutOff), 1);
    EXPECT_FALSE(record.inStep());

    port.replug();
    waitForSync();
    EXPECT_EQ(host.synchronisations.back(), true);
    EXPECT_TRUE(record.inStep()) << "read back and found as the store holds it: nothing to ask";
    expectNothingUnmarked();
}

// The console's own dance values, never read nor edited, are listed unticked and left alone by a write of the screen.
TEST_F(RecordJourney, DanceValuesNeverReadAreNotWrittenOverTheProcessors)
{
    constexpr int kMainBand = 4 * 256 + 0x10;
    constexpr int kMusicLevel = 4 * 256;
    ASSERT_TRUE(store.at(1, kMainBand).perMode);
    setProcessorGain(kMainBand, 344, 1);        // +9.4 dB in the dance set
    document.edits().setValue(kMusicLevel, 61); // edited before the first connection
    waitForSync();
    const ComparedCopy* danceBand = listed(1, kMainBand);
    ASSERT_NE(danceBand, nullptr);
    EXPECT_TRUE(danceBand->neverRead);
    EXPECT_FALSE(danceBand->chosen);
    ASSERT_NE(listed(0, kMusicLevel), nullptr);
    EXPECT_TRUE(listed(0, kMusicLevel)->chosen);

    comparison.writeScreen();
    drain();
    EXPECT_EQ(processor.band(1, kMainBand).gain, 344);
    EXPECT_EQ(processor.value(0, kMusicLevel), 61);
    EXPECT_EQ(record.state(1, kMainBand), core::CopyState::Unreadable);
    expectNothingUnmarked();

    // Once in step, the full read fills the dance set: the screen shows what the processor holds.
    goOffline();
    reconnect();
    EXPECT_EQ(store.at(1, kMainBand).band.gain, 344);
    EXPECT_EQ(record.state(1, kMainBand), core::CopyState::Read);
}

// Taking the processor's values leaves what could not be read marked, and says how many.
TEST_F(RecordJourney, TakingTheProcessorsValuesLeavesTheUnreadableGroupMarked)
{
    constexpr int kCentreLevel = 6 * 256;
    constexpr int kMusicLevel = 4 * 256;
    connect();
    goOffline();
    document.edits().setValue(kCentreLevel, 12);
    document.edits().setValue(kMusicLevel, 61);
    reconnect();
    ASSERT_EQ(comparison.count(Group::NotReadBack), 1u);
    ASSERT_EQ(comparison.count(Group::ReadDifferent), 1u);
    const int processorLevel = processor.value(0, kMusicLevel);
    EXPECT_EQ(comparison.takeProcessorValues(), 1);
    EXPECT_EQ(store.at(0, kMusicLevel).value, processorLevel);
    EXPECT_EQ(record.state(0, kMusicLevel), core::CopyState::Read);
    EXPECT_EQ(record.state(0, kCentreLevel), core::CopyState::EditedOffline);
    EXPECT_EQ(store.at(0, kCentreLevel).value, 12);
    EXPECT_TRUE(document.history().canUndo()) << "one undo step";
    expectNothingUnmarked();

    EXPECT_EQ(compare(), presets::ProcessorComparison::Outcome::Read);
    EXPECT_EQ(comparison.count(Group::NotReadBack), 1u) << "offered again";
}

// A preset recall replaces both sets of kinds 0..7 on the processor, kinds 2, 5 and 6 too, which
// no block read brings back: the centre level written before (acknowledged, or still queued ahead
// of the recall) is marked and offered on the next reconnection.
TEST_F(RecordJourney, APresetRecallMarksWhatItReplacedAndCannotReadBack)
{
    constexpr int kMic34 = 0x200;
    constexpr int kCentreLevel = 6 * 256;
    constexpr int kRecalled = 2;
    connect();
    document.edits().setValue(kMic34, 123);
    drain();
    ASSERT_EQ(record.state(0, kMic34), core::CopyState::Acknowledged);
    document.edits().setValue(kCentreLevel, 12); // still queued when the recall goes out

    view.currentPreset = kRecalled;
    ASSERT_TRUE(readFromDevice(kRecalled, false, Command::ReadBlock));
    const auto nothingQueued = [&] {
        return std::ranges::none_of(record.unconfirmed(), [&](const auto& copy) {
            return record.state(copy.first, copy.second) == core::CopyState::Queued;
        });
    };
    clock.runUntil(nothingQueued, 20000);
    ASSERT_NE(processor.value(0, kCentreLevel), 12);
    ASSERT_NE(processor.value(0, kMic34), 123);
    EXPECT_EQ(record.state(0, kMic34), core::CopyState::Lost);
    EXPECT_EQ(record.state(1, kMic34), core::CopyState::Lost) << "the dance set is replaced too";
    EXPECT_EQ(record.state(0, kCentreLevel), core::CopyState::Lost);
    EXPECT_EQ(record.state(1, kCentreLevel), core::CopyState::Unreadable) << "never read: keeps its mark";
    EXPECT_EQ(record.state(0, 4 * 256), core::CopyState::Read) << "a readable kind is read back";
    expectNothingUnmarked();

    goOffline();
    reconnect();
    for (int address : {kMic34, kCentreLevel}) {
        ASSERT_NE(listed(0, address), nullptr) << address;
        EXPECT_EQ(listed(0, address)->group, Group::NotReadBack);
    }
    comparison.writeScreen();
    drain();
    EXPECT_EQ(processor.value(0, kCentreLevel), 12);
    EXPECT_EQ(processor.value(0, kMic34), 123);
    expectNothingUnmarked();
}

// Taking a shared parameter's singing value also sets its dance copy on screen; the processor's
// dance copy, found equal before, now differs and stays marked.
TEST_F(RecordJourney, TakingASharedParametersSingingValueMarksItsDanceCopy)
{
    constexpr int kEchoPreDelay = 0x300;
    connect();
    ASSERT_FALSE(store.at(0, kEchoPreDelay).perMode);
    const int screen = store.at(0, kEchoPreDelay).value;
    processor.setValue(0, kEchoPreDelay, screen + 7);
    ASSERT_EQ(compare(), presets::ProcessorComparison::Outcome::Read);
    ASSERT_NE(listed(0, kEchoPreDelay), nullptr);
    ASSERT_EQ(listed(1, kEchoPreDelay), nullptr);

    EXPECT_EQ(comparison.takeProcessorValues(), 1);
    EXPECT_EQ(store.at(1, kEchoPreDelay).value, screen + 7);
    EXPECT_EQ(record.state(0, kEchoPreDelay), core::CopyState::Read);
    EXPECT_EQ(record.state(1, kEchoPreDelay), core::CopyState::EditedOffline);
    expectNothingUnmarked();
}
