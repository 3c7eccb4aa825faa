#include "hex.h"

#include "sim/virtual_processor.h"

#include "link/frame.h"
#include "link/frame_parser.h"
#include "link/request_builder.h"

#include "core/address_map.h"

#include <gtest/gtest.h>

using namespace quorix;
using link::Command;

namespace {

// Talks to the processor in frames and collects its answers.
struct Talk : ::testing::Test, link::FrameListener {
    sim::VirtualProcessor processor;
    core::ParamStore store;
    core::ParamStore image;
    core::DigitBuffer digits;
    std::uint8_t modeOverride = 0;
    link::FrameParser parser;
    std::vector<link::Bytes> replies;
    int keepAlives = 0;
    int toneResets = 0;

    void SetUp() override
    {
        core::InitParamStore(store, image);
        processor.setOutput([this](const link::Bytes& b) { parser.parseIncoming(b, *this); });
    }
    void onKeepAliveAnswer() override { ++keepAlives; }
    void onToneReset() override { ++toneResets; }
    void onFrame(std::span<const std::uint8_t> payload, std::span<const std::uint8_t>) override
    {
        replies.emplace_back(payload.begin(), payload.end());
    }
    void onBadFrame(std::span<const std::uint8_t>) override { replies.push_back({0xBA, 0xD0}); }

    link::Bytes ask(Command command, int mode, int address)
    {
        replies.clear();
        processor.receive(link::BuildRequest(command, mode, address, modeOverride, {store, image, 0, digits}));
        return replies.empty() ? link::Bytes{} : replies.back();
    }
};

} // namespace

TEST_F(Talk, HandshakeKeepAliveStatusAndToneReset)
{
    processor.setVariant('3');
    EXPECT_EQ(ask(Command::Handshake, 0, 0), link::Bytes({'Q', 'U', 'O', 'R', 'I', 'X', '_', '3'}));
    processor.receive(Hex("FF"));
    EXPECT_EQ(keepAlives, 1);
    processor.setKeepAliveSilent(true);
    processor.receive(Hex("FF"));
    EXPECT_EQ(keepAlives, 1);
    EXPECT_EQ(ask(Command::ReadStatus, 0, 0), Hex("00 00"));
    processor.setValue(0, 0xA26, 8);
    processor.sendToneReset();
    EXPECT_EQ(toneResets, 1);
    EXPECT_EQ(processor.value(0, 0xA26), 5);
}

TEST_F(Talk, SingleWritesLandInTheNamedMode)
{
    store.at(1, 1024).value = 55;
    processor.receive(link::BuildRequest(Command::WriteParam, 0, 1024, modeOverride, {store, image, 1, digits}));
    EXPECT_EQ(processor.value(1, 1024), 55);
    EXPECT_EQ(processor.value(0, 1024), 100);
}

TEST_F(Talk, StoreAndRecallPresets)
{
    EXPECT_NE(processor.preset(1).at(0, 0).band.gain, processor.preset(0).at(0, 0).band.gain); // PRO differs from KTV
    EXPECT_NE(processor.preset(2).at(0, 256).value, processor.preset(1).at(0, 256).value);

    image.at(0, 1024).value = 12;
    ask(Command::WriteBlock, 0, 1024);
    EXPECT_EQ(processor.value(0, 1024), 12);
    EXPECT_EQ(processor.preset(0).at(0, 1024).value, 100); // a factory preset keeps its tuning
    ask(Command::StoreMode, 4, 0);                         // USER2
    EXPECT_EQ(processor.currentPreset(), 4);
    EXPECT_EQ(processor.preset(4).at(0, 1024).value, 12);

    const auto pro = ask(Command::ReadBlock, 1, 0); // recalling PRO
    EXPECT_EQ(processor.currentPreset(), 1);
    EXPECT_EQ(pro.size(), 122u);
    EXPECT_EQ(processor.value(0, 1024), 100);

    image.at(0, 1024).value = 13;
    ask(Command::WriteBlock, 5, 1024); // a block write to USER3 lands in its stored copy too
    EXPECT_EQ(processor.currentPreset(), 5);
    EXPECT_EQ(processor.value(0, 1024), 13);
    EXPECT_EQ(processor.preset(5).at(0, 1024).value, 13);
    EXPECT_EQ(processor.refusals().count(), 0);
}

TEST_F(Talk, PasswordsAreCheckedAndChangedHere)
{
    processor.setPasswords("1234", "123456");
    digits.digitsToBuffer("1234", 0);
    EXPECT_EQ(ask(Command::Password, 0, 0)[1], 'S');
    digits.digitsToBuffer("9999", 0);
    EXPECT_EQ(ask(Command::Password, 0, 0)[1], 'F');
    digits.digitsToBuffer("123456654321", 0);
    EXPECT_EQ(ask(Command::Password, 2, 1)[1], 'S');
    EXPECT_EQ(processor.rightsPassword(), "654321");
    EXPECT_EQ(ask(Command::Password, 2, 2)[1], 'S');
}

TEST_F(Talk, FaultsAreInjectedOnce)
{
    processor.dropNextReplies(2);
    EXPECT_TRUE(ask(Command::ReadDone, 0, 0).empty());
    EXPECT_TRUE(ask(Command::ReadDone, 0, 0).empty());
    EXPECT_FALSE(ask(Command::ReadDone, 0, 0).empty());
    processor.corruptNextChecksum();
    EXPECT_EQ(ask(Command::ReadDone, 0, 0), Hex("BA D0"));
    processor.resizeNextBlock(-3);
    EXPECT_EQ(ask(Command::ReadBlock, 0, 2560).size(), 85u);
    EXPECT_EQ(ask(Command::ReadBlock, 0, 2560).size(), 88u);

    processor.duplicateNextReplies(1);
    ask(Command::ReadDone, 0, 0);
    EXPECT_EQ(replies.size(), 2u);
    ask(Command::ReadDone, 0, 0);
    EXPECT_EQ(replies.size(), 1u);

    processor.answerNextWithWrongCommand();
    EXPECT_EQ(ask(Command::ReadStatus, 0, 0), Hex("51 55 4F 52 49 58 5F 31"));
    processor.answerNextWithWrongCommand();
    EXPECT_EQ(ask(Command::Handshake, 0, 0), Hex("00 00"));

    processor.insertNoiseInNextReply(Hex("01 02 03"));
    EXPECT_EQ(ask(Command::ReadDone, 0, 0), Hex("BA D0"));
    EXPECT_EQ(ask(Command::ReadDone, 0, 0), Hex("0E 00"));
    EXPECT_EQ(processor.refusals().count(), 0);
}

TEST_F(Talk, ARequestWithABadChecksumIsNotAnswered)
{
    auto frame = link::BuildRequest(Command::ReadDone, 0, 0, modeOverride, {store, image, 0, digits});
    frame.back() ^= 1;
    replies.clear();
    processor.receive(frame);
    EXPECT_TRUE(replies.empty());
    EXPECT_EQ(processor.requestsReceived(), 0);
    EXPECT_EQ(processor.refusals().count(), 1);
}
