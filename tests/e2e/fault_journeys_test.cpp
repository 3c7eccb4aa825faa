#include "journey.h"

#include <string>

using namespace quorix;
using link::Command;

// Faults of the processor's side: each journey ends with the console holding
// what the processor holds, having taken no reply for a request it was not for.

TEST_F(Journey, ADuplicatedReplyIsNotTakenForTheNextRequest)
{
    connect();
    // One byte a report at full speed: the copy is still arriving when the next request goes out.
    port.setSplitReplies(true);
    port.setFullSpeedPacing(true);
    processor.duplicateNextReplies(1); // the status answer comes twice
    setProcessorGain(4, 240);
    EXPECT_TRUE(readFromDevice(0, true, Command::ReadBlock));
    clock.advance(1000);
    EXPECT_EQ(view.currentPreset, 0);
    expectStoreMatchesProcessor();
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Journey, AReplyWithTheWrongCommandIsNotTakenForTheStatus)
{
    connect();
    const int before = processor.requestsReceived();
    processor.answerNextWithWrongCommand(); // the status request gets a handshake answer
    EXPECT_TRUE(readFromDevice(0, true, Command::ReadBlock));
    EXPECT_EQ(processor.requestsReceived() - before, 1 + 1 + 7 + 5 + 1); // the status request went twice
    EXPECT_EQ(view.currentPreset, 0);
    expectStoreMatchesProcessor();
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Journey, AStaleReplyIsNotTakenForALaterRequest)
{
    connect();
    port.setReplyDelay(30);   // the synchronisation's requests spread over time
    port.delayNextReply(700); // the status answer comes after the re-sent request's answer
    setProcessorGain(256 + 2, 260);
    EXPECT_TRUE(readFromDevice(0, true, Command::ReadBlock));
    clock.advance(1000);
    expectStoreMatchesProcessor();
    EXPECT_TRUE(host.messages.empty());
    EXPECT_TRUE(device.online());
}

TEST_F(Journey, NoiseInTheMiddleOfATransferCostsOneRetry)
{
    setProcessorGain(768 + 8, 270);
    host.onProgress = [&](int done) {
        if (done == 2)
            processor.insertNoiseInNextReply({0x00, 0xFE, 0x07, 0x23, 0x41});
    };
    connect();
    EXPECT_EQ(host.synchronisations, std::vector<bool>{true});
    expectStoreMatchesProcessor();
    EXPECT_TRUE(host.messages.empty());
    const std::string text = trace.str();
    EXPECT_NE(text.find("BadChecksum"), std::string::npos);
    int blockReads = 0;
    for (auto at = text.find("TX ReadBlock "); at != std::string::npos; at = text.find("TX ReadBlock ", at + 1))
        ++blockReads;
    EXPECT_EQ(blockReads, 7 + 5 + 1);
}

TEST_F(Journey, UnplugDuringABlockWriteLosesTheLinkAndReplugShowsWhatLanded)
{
    connect();
    image = store;
    image.at(0, 0).band.gain = 280;      // kind 0: lands
    image.at(0, 256 + 0x11).value = 55;  // kind 1: lands
    image.at(0, 768 + 0x14).value = 444; // kind 3: cut off
    EXPECT_FALSE(writeUnpluggedAtTheThirdBlock());
    EXPECT_FALSE(device.online());
    EXPECT_EQ(host.count(link::LinkCode::Lost), 1);
    EXPECT_TRUE(host.windowEnabled);
    EXPECT_FALSE(host.progressVisible);
    EXPECT_EQ(processor.band(0, 0).gain, 280);
    EXPECT_EQ(processor.value(0, 256 + 0x11), 55);
    EXPECT_EQ(processor.value(0, 768 + 0x14), 500);

    port.replug();
    connect();
    EXPECT_TRUE(device.online());
    expectStoreMatchesProcessor();
}
