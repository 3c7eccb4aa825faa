// Replies that look right and are not: a copy of an earlier reply, and
// fields no processor could hold behind a checksum that still matched.
#include "journey.h"

#include <string>

using namespace quorix;
using link::Command;

namespace {

int Occurrences(const std::string& text, const std::string& word)
{
    int count = 0;
    for (auto at = text.find(word); at != std::string::npos; at = text.find(word, at + 1))
        ++count;
    return count;
}

} // namespace

// The comparison reads both sets of a kind; a block of the singing set that
// comes twice must not become the dance set.
TEST_F(Journey, ARepeatedSingingBlockNeverPassesForTheDanceSet)
{
    connect();
    setProcessorGain(0, 99, 1); // the dance set differs from the singing set
    // One byte a report at full speed: the copy is still arriving when the next request goes out.
    port.setSplitReplies(true);
    port.setFullSpeedPacing(true);
    processor.duplicateNextReplies(1); // the first block, kind 0's singing set, comes twice
    core::ParamStore scratch = store;
    ASSERT_TRUE(readWorkingSet(0, scratch));
    const core::ParamStore held = processor.working();
    for (int kind : {0, 1, 3, 4, 7})
        for (int a = core::KindFirst(kind); a <= core::KindLast(kind); ++a) {
            expectRecordsMatch(scratch, held, 0, a);
            if (store.at(0, a).perMode)
                expectRecordsMatch(scratch, held, 1, a);
        }
    EXPECT_EQ(scratch.at(1, 0).band.gain, 99);
}

// hidapi's reader thread queues a report while the interface thread is busy:
// a copy of the last acknowledgement, read after the next write went out, is
// not that write's acknowledgement.
TEST_F(Journey, AReplyThatArrivedBeforeItsRequestWentOutIsNeverItsReply)
{
    connect();
    port.setWakeLag(5);
    processor.duplicateNextReplies(1);
    store.at(0, 0x110).value = 11;
    store.at(0, 0x111).value = 12;
    trace.str({});
    device.queueWrite(0, 0x110);
    device.queueWrite(0, 0x111); // goes out when the first is answered, before the copy is read
    clock.advance(100);
    EXPECT_EQ(device.refusedReplies().stale, 1);
    EXPECT_EQ(Occurrences(trace.str(), "RX Stale:Short"), 1) << trace.str();
    EXPECT_EQ(Occurrences(trace.str(), "RX WriteParam"), 2) << trace.str();
    EXPECT_EQ(Occurrences(trace.str(), "Unexpected"), 0) << trace.str();
    EXPECT_EQ(processor.value(0, 0x111), 12);
}

// A block whose band has gain 34 341 and Q index 55 429 is noise, whatever its
// checksum says: refused like a bad checksum, sent for again, counted, and
// never in the store.
TEST_F(Journey, ABlockWithFieldsNoProcessorHoldsIsRefusedAndReadAgain)
{
    connect();
    const sim::BandSetting good = processor.band(0, 3);
    sim::BandSetting noise = good;
    noise.gain = 34341;
    noise.q = 55429;
    processor.setBand(0, 3, noise);
    at(300, [&] { processor.setBand(0, 3, good); }); // the line is clean again for the second attempt
    trace.str({});
    EXPECT_TRUE(readFromDevice(0, true, Command::ReadBlock));
    EXPECT_EQ(device.refusedReplies().outOfRange, 1);
    EXPECT_EQ(Occurrences(trace.str(), "RX OutOfRange:Block0"), 1) << trace.str();
    EXPECT_EQ(Occurrences(trace.str(), "TX ReadBlock"), 7 + 5 + 1); // both sets once, kind 0's singing set twice
    expectStoreMatchesProcessor();
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Journey, AProcessorThatOnlyEverSendsSuchFieldsLosesTheLinkAndTheStoreKeepsItsValues)
{
    connect();
    const core::Band before = store.at(0, 3).band;
    sim::BandSetting noise = processor.band(0, 3);
    noise.gain = 34341;
    processor.setBand(0, 3, noise);
    EXPECT_FALSE(readFromDevice(0, true, Command::ReadBlock));
    EXPECT_EQ(device.refusedReplies().outOfRange, link::RequestChannel::kAttempts);
    EXPECT_EQ(store.at(0, 3).band, before);
    EXPECT_FALSE(device.online());
}
