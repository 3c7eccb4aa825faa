#include "journey.h"

#include "core/param_diff.h"

using namespace quorix;
using link::Command;

TEST_F(Journey, HandshakeAndSynchronisationMirrorTheProcessor)
{
    setProcessorGain(5, 300);
    auto band = processor.band(0, 256 + 3);
    band.off = true;
    processor.setBand(0, 256 + 3, band);
    processor.setValue(0, 2560, 33);
    processor.setValue(0, 0xA08, 70);
    connect();
    EXPECT_TRUE(device.online());
    EXPECT_EQ(host.connection.front(), link::LinkCode::Online);
    EXPECT_EQ(host.variantCalls, 1);
    expectStoreMatchesProcessor();
    EXPECT_EQ(store.at(0, 0xA20).value, 1);
    EXPECT_TRUE(store.at(1, 256 + 3).band.bandOff); // shared records mirrored into the dance mode
    EXPECT_EQ(host.masterMaxima[0], 70);
    EXPECT_TRUE(host.windowEnabled);
    EXPECT_FALSE(host.progressVisible);
    EXPECT_EQ(host.progressValue, host.progressMaximum);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.synchronisations, std::vector<bool>{true});
}

TEST_F(Journey, ASingleWriteReachesTheProcessor)
{
    connect();
    store.at(0, 1024).value = 77;
    EXPECT_TRUE(writeParam(1024));
    EXPECT_EQ(processor.value(0, 1024), 77);
    view.currentMode = 1;
    store.at(1, 3).band.gain = 120;
    EXPECT_TRUE(writeParam(3));
    EXPECT_EQ(processor.band(1, 3).gain, 120);
}

TEST_F(Journey, AWriteDuringASynchronisationWaitsForItsTurn)
{
    port.setReplyDelay(30); // ticks fall inside the waits
    store.at(0, 1024).value = 66;
    bool written = false;
    bool wroteDuringSync = false;
    host.onTick = [&] {
        if (host.progressVisible && host.progressValue == 3 && !written) {
            written = true;
            wroteDuringSync = writeParam(1024);
        }
    };
    processor.setValue(0, 768 + 1, 123);
    connect();
    EXPECT_TRUE(written);
    EXPECT_TRUE(wroteDuringSync);
    EXPECT_EQ(processor.value(0, 1024), 66);
    processor.setValue(0, 1024, 100); // the sync had read the old value before the write
    store.at(0, 1024).value = 100;
    expectStoreMatchesProcessor();
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(Journey, KeepAliveSilenceLosesTheLinkAfter101Ticks)
{
    processor.setKeepAliveSilent(true);
    clock.runUntil([&] { return device.online(); });
    const auto online = clock.nowMs();
    clock.runUntil([&] { return !device.online(); }, 20000);
    EXPECT_EQ(clock.nowMs() - online, 101 * 50);
    EXPECT_EQ(host.count(link::LinkCode::Lost), 1);
    EXPECT_EQ(host.connection.back(), link::LinkCode::Lost);
    EXPECT_EQ(store.at(0, 0xA20).value, 1); // the sync itself had finished: replies do not count as keep-alives
}

TEST_F(Journey, AReplyReachesTheLinkTheMomentItIsReadable)
{
    connect();
    port.setReplyDelay(7); // between two of the 5 ms polls a polled link would wait for
    store.at(0, 1024).value = 77;
    const auto start = clock.nowMs();
    EXPECT_TRUE(writeParam(1024));
    EXPECT_EQ(clock.nowMs() - start, 7);
}

TEST_F(Journey, NineUnansweredAttemptsLoseTheLink)
{
    connect();
    const int before = processor.requestsReceived();
    const auto start = clock.nowMs();
    processor.dropNextReplies(100);
    EXPECT_FALSE(writeParam(1024));
    EXPECT_EQ(processor.requestsReceived() - before, 9);
    EXPECT_EQ(clock.nowMs() - start, 9 * 600);
    EXPECT_FALSE(device.online());
    EXPECT_EQ(host.count(link::LinkCode::Lost), 1);
}

TEST_F(Journey, ALinkLostByTheTickEndsTheRequestWaitingThen)
{
    connect();
    // Halfway between two ticks, so that no attempt's time-out falls on the tick that loses the link.
    std::int64_t tickAt = 0;
    host.onTick = [&] { tickAt = clock.nowMs(); };
    clock.advance(50);
    host.onTick = nullptr;
    clock.advance((25 - (clock.nowMs() - tickAt) + 50) % 50);
    processor.setKeepAliveSilent(true);
    processor.dropNextReplies(100);
    std::int64_t lostAt = -1;
    host.onMessage = [&] { lostAt = clock.nowMs(); };
    const auto start = clock.nowMs();
    EXPECT_FALSE(writeParam(1024));
    EXPECT_EQ(host.count(link::LinkCode::Lost), 1);
    EXPECT_LT(lostAt - start, 9 * 600); // the tick's loss came before the request's own attempts ran out
    EXPECT_EQ(clock.nowMs(), lostAt);
}

TEST_F(Journey, ACorruptedReplyIsRetried)
{
    connect();
    const int before = processor.requestsReceived();
    processor.corruptNextChecksum();
    EXPECT_TRUE(writeParam(1024));
    EXPECT_EQ(processor.requestsReceived() - before, 2);
    EXPECT_NE(trace.str().find("BadChecksum"), std::string::npos);
}

TEST_F(Journey, AWrongSizeBlockStopsTheReadAndChangesNothing)
{
    processor.resizeNextBlock(2);
    setProcessorGain(0, 111);
    setProcessorGain(256 + 1, 222);
    connect();
    EXPECT_EQ(host.count(link::LinkCode::CountMismatch), 1);
    EXPECT_EQ(store.at(0, 0).band.gain, 330);       // kind 0 refused whole
    EXPECT_EQ(store.at(0, 256 + 1).band.gain, 250); // later kinds never read
    EXPECT_EQ(store.at(0, 0xA20).value, 0);         // no ReadDone
    EXPECT_EQ(trace.str().find("TX ReadDone"), std::string::npos);
    EXPECT_TRUE(host.windowEnabled);
}

TEST_F(Journey, UnplugDuringSynchronisationFailsCleanlyAndReplugSynchronisesAgain)
{
    port.setReplyDelay(20);
    host.onProgress = [&](int done) {
        if (done == 2)
            port.unplug();
    };
    connect();
    EXPECT_FALSE(device.online());
    EXPECT_TRUE(host.windowEnabled);
    EXPECT_FALSE(host.progressVisible);
    EXPECT_EQ(host.count(link::LinkCode::Lost), 1);

    host.onProgress = nullptr;
    processor.setValue(0, 1024, 44);
    clock.advance(3000);
    EXPECT_FALSE(device.online());
    port.replug();
    connect();
    EXPECT_TRUE(device.online());
    EXPECT_EQ(store.at(0, 1024).value, 44);
    EXPECT_EQ(store.at(0, 0xA20).value, 1);
}

TEST_F(Journey, ASwitchedOffLinkSendsNothing)
{
    device.toggleConnection();
    EXPECT_EQ(host.connection.back(), link::LinkCode::SwitchedOff);
    clock.advance(10000);
    EXPECT_EQ(port.reportsWritten(), 0);
    EXPECT_FALSE(writeParam(1024));
    device.toggleConnection();
    connect();
    EXPECT_TRUE(device.online());
}

TEST_F(Journey, TheConnectionAsItStandsIsReportedToAScreenThatComesLate)
{
    using link::LinkCode;
    EXPECT_EQ(device.connection(), LinkCode::Disconnected);
    connect();
    EXPECT_EQ(device.connection(), LinkCode::Online);
    device.toggleConnection();
    EXPECT_EQ(device.connection(), LinkCode::SwitchedOff);
    device.toggleConnection();
    EXPECT_EQ(device.connection(), LinkCode::Disconnected); // searching again
    device.offlineModeChosen();
    EXPECT_EQ(device.connection(), LinkCode::OfflineMode);
}

TEST_F(Journey, SwitchingOffDuringAWaitEndsItWithoutAMessage)
{
    connect();
    processor.dropNextReplies(1);
    host.onTick = [&] {
        if (device.replyWaitActive() && device.state().linkSwitchOn)
            device.toggleConnection();
    };
    const int before = processor.requestsReceived();
    EXPECT_FALSE(writeParam(1024));
    EXPECT_EQ(processor.requestsReceived() - before, 1);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.connection.back(), link::LinkCode::Disconnected);
}

TEST_F(Journey, SplitRepliesAreAssembled)
{
    port.setSplitReplies(true);
    processor.setValue(0, 2560, 12);
    connect();
    EXPECT_EQ(store.at(0, 2560).value, 12);
    EXPECT_EQ(store.at(0, 0xA20).value, 1);
}

TEST_F(Journey, TheVariantAndToneResetReachTheHost)
{
    processor.setVariant('3');
    connect();
    EXPECT_TRUE(host.variant);
    store.at(0, 0xA26).value = 8;
    processor.sendToneReset();
    clock.advance(10);
    EXPECT_EQ(store.at(0, 0xA26).value, 5);
    EXPECT_EQ(host.toneLabel, 5);
}

TEST_F(Journey, PresetRecallAndConfigurationWrite)
{
    connect();
    const int before = processor.requestsReceived();
    // USER2: kinds 0, 1, 3, 4, 7 of both sets and ReadDone
    EXPECT_TRUE(readFromDevice(4, false, Command::ReadBlock));
    EXPECT_EQ(processor.requestsReceived() - before, 11);
    EXPECT_EQ(processor.currentPreset(), 4);
    EXPECT_EQ(host.preset, 4);

    EXPECT_TRUE(readFromDevice(1, false, Command::ReadBlock)); // PRO shows its own tuning
    EXPECT_EQ(store.at(0, 0).band.gain, 250);
    EXPECT_EQ(store.at(0, 256).value, processor.preset(1).at(0, 256).value);

    image = store;
    image.at(0, 1024 + 0x12).value = 150;
    image.at(0, 2560).value = 44;
    EXPECT_TRUE(writeToDevice(view.currentPreset));
    EXPECT_TRUE(readFromDevice(view.currentPreset, false, Command::ReadBlockBack));
    EXPECT_EQ(store.at(0, 1024 + 0x12).value, 150);
    EXPECT_EQ(store.at(0, 2560).value, 44); // the read-back includes the global kinds
}

TEST_F(Journey, TheTraceShowsEveryFrameAndMasksPasswords)
{
    connect();
    digits.digitsToBuffer("1234", 0);
    sendCommand(Command::Password, 0, 0);
    clock.advance(1000);
    const std::string text = trace.str();
    for (const char* line : {"TX Handshake", "RX Handshake", "TX ReadStatus", "TX ReadBlock", "RX ReadBlock",
                             "TX ReadDone", "TX Password", "TX KeepAlive", "RX KeepAlive"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    EXPECT_NE(text.find("08 00 00 00 0B ** ** ** ** **"), std::string::npos);
}

TEST_F(Journey, AConfigurationThatCannotTravelSendsNothing)
{
    connect();
    image = store;
    image.at(0, 1024).value = 70000; // kind 4: kinds 0, 1 and 3 before it would build
    const core::ParamStore before = processor.working();
    const int requests = processor.requestsReceived();
    EXPECT_FALSE(writeToDevice(0));
    EXPECT_EQ(processor.requestsReceived(), requests);
    EXPECT_EQ(processor.working(), before);
    EXPECT_EQ(host.count(link::LinkCode::WriteFailed), 1);
    EXPECT_TRUE(host.windowEnabled);
    EXPECT_FALSE(host.progressVisible);
    EXPECT_TRUE(device.online());
}

TEST_F(Journey, RandomBytesFromEitherSideNeverHurt)
{
    connect();
    const core::ParamStore before = store;
    const core::ParamStore processorBefore = processor.working();
    std::uint32_t seed = 12345;
    const auto noise = [&seed] {
        link::Bytes bytes(63);
        for (auto& b : bytes) {
            seed = seed * 1664525u + 1013904223u;
            b = static_cast<std::uint8_t>(seed >> 24);
            if (b == link::kToneReset)
                b = 0; // a tone reset is a legitimate change of both sides
        }
        return bytes;
    };
    // Toward the console, and toward the processor it talks to: whatever the
    // processor makes of it comes back to the console unasked.
    for (int round = 0; round < 3000; ++round) {
        port.injectInput(noise());
        processor.receive(noise());
        clock.advance(5);
    }
    EXPECT_EQ(store, before); // nothing unrequested reaches the store
    EXPECT_EQ(processor.working(), processorBefore);
    processor.receive(link::Bytes{link::kKeepAlive}); // ends a partial frame the noise left behind
    EXPECT_GT(processor.refusals().count(), 0);       // the noise itself, refused
    processor.refusals().clear();
    EXPECT_TRUE(device.online());
    store.at(0, 1024).value = 42;
    EXPECT_TRUE(writeParam(1024));
    EXPECT_EQ(processor.value(0, 1024), 42);
    EXPECT_TRUE(readFromDevice(0, true, Command::ReadBlock));
    expectStoreMatchesProcessor();
}

TEST_F(Journey, AScratchReadOfTheWorkingSetTouchesNeitherStoreNorView)
{
    connect();
    const core::ParamStore before = store;
    const core::ViewState viewBefore = view;
    auto band = processor.band(1, 2); // dance EQ3 of the music input, a per-mode band
    band.gain = 215;
    processor.setBand(1, 2, band);
    processor.setValue(0, 1024 + 0x16, 120); // main left delay, shared by both modes
    processor.setValue(0, core::kCommonBase + 0x1E, 1);
    const int resets = host.transfersFinished; // counts undo resets
    const int refreshes = host.refreshes;

    core::ParamStore scratch = store;
    ASSERT_TRUE(readWorkingSet(view.currentPreset, scratch));
    EXPECT_EQ(store, before);
    EXPECT_EQ(view.currentMode, viewBefore.currentMode);
    EXPECT_EQ(view.currentPreset, viewBefore.currentPreset);
    EXPECT_EQ(host.transfersFinished, resets);
    EXPECT_EQ(host.refreshes, refreshes);
    EXPECT_FALSE(host.progressVisible);
    EXPECT_TRUE(host.windowEnabled);

    const auto differences = core::DiffImages(store, scratch);
    // The shared delay was changed in the processor's singing set only: its dance copy is compared as held.
    ASSERT_EQ(differences.size(), 3u) << core::FormatDifferences(differences);
    EXPECT_EQ(core::FormatDifferences(differences), "[MusicInput]\n"
                                                    "MusicInput dance 0x02 EQ3 gain: 0.0dB -> -3.5dB\n"
                                                    "[MainOutput]\n"
                                                    "MainOutput singing 0x16 左通道延时 value: 0.0ms -> 12.0ms\n"
                                                    "[Common]\n"
                                                    "Common singing 0x1E 演唱/劲舞 value: 0 -> 1\n");
}
