#include "hex.h"
#include "protocol_figures.h"

#include "link/frame.h"
#include "link/request_builder.h"

#include "core/address_map.h"

#include <gtest/gtest.h>

using namespace quorix;
using link::Command;

namespace {

struct Builder : ::testing::Test {
    core::ParamStore store;
    core::ParamStore image;
    core::DigitBuffer digits;
    std::uint8_t currentMode = 0;
    std::uint8_t modeOverride = 0;

    void SetUp() override { core::InitParamStore(store, image); }
    link::Bytes build(Command command, int mode, int address)
    {
        return link::BuildRequest(command, mode, address, modeOverride, {store, image, currentMode, digits});
    }
};

} // namespace

TEST_F(Builder, WorkedFrames)
{
    store.at(0, 0x10F).paramClass = core::ParamClass::Plain; // a plain parameter at 0x10F
    store.at(0, 0x10F).value = 300;
    EXPECT_EQ(build(Command::WriteParam, 0, 0x10F), Hex(figures::kWriteParam300At0x10F));
    EXPECT_EQ(build(Command::ReadStatus, 0, 0), Hex(figures::kReadStatus));
    EXPECT_EQ(build(Command::ReadDone, 0, 0), Hex(figures::kReadDone));
    EXPECT_EQ(link::HandshakeFrame(), Hex(figures::kHandshake));
    digits.digitsToBuffer("1234", 0);
    EXPECT_EQ(build(Command::Password, 0, 0), Hex(figures::kLockVerify1234));
    EXPECT_EQ(build(Command::Password, 0, 2), Hex(figures::kLockClose));
}

TEST_F(Builder, ChecksumsThatWouldBeSignalBytesTravelAsZero)
{
    for (const auto& write : figures::kFoldingWrites) {
        store.at(0, 0x400).value = write.value;
        EXPECT_EQ(build(Command::WriteParam, 0, 0x400), Hex(write.frame)) << write.value;
    }
}

TEST_F(Builder, GlobalWritesGoOutAtModeZero)
{
    currentMode = 1;
    store.at(0, 2560).value = 42;
    EXPECT_EQ(build(Command::WriteParam, 0, 2560), Hex("FE 00 00 0A 00 09 00 2A 3B"));
    store.at(1, 0x100).value = 7; // microphone high-pass in the dance mode
    EXPECT_EQ(build(Command::WriteParam, 0, 0x100), Hex("FE 00 01 01 00 09 00 07 10"));
}

TEST_F(Builder, BandsTravelAsEightBytesWithTheBandOffOffset)
{
    core::Band& band = store.at(0, 3).band;
    band.shape = 1;
    band.shelfQIndex = 12;
    band.freqIndex = 120;
    band.bandOff = true;
    band.gain = 300;
    band.qIndex = 16;
    const auto frame = build(Command::WriteParam, 0, 3);
    ASSERT_EQ(frame.size(), 15u);
    EXPECT_EQ(link::Bytes(frame.begin() + 6, frame.end() - 1), Hex(figures::kBandOff120));
}

TEST_F(Builder, PasswordFramesCarryTheirDigits)
{
    digits.digitsToBuffer("123456654321", 0);
    const auto verify = build(Command::Password, 0, 0);
    EXPECT_EQ(verify.size(), 11u);
    EXPECT_EQ(link::Bytes(verify.begin(), verify.begin() + 10), Hex("FE 08 00 00 00 0B 01 02 03 04"));
    EXPECT_EQ(build(Command::Password, 2, 1).size(), 19u);
    EXPECT_EQ(build(Command::Password, 2, 2).size(), 9u);
}

TEST_F(Builder, BlockWritesComeFromTheImageInTheAddressMapLayout)
{
    image.at(0, 0).paramClass = core::ParamClass::Plain; // a foreign file cannot change the layout
    image.at(1, 0).band.gain = 260;
    const auto singing = build(Command::WriteBlock, 2, 0);
    EXPECT_EQ(singing.size(), 7u + 15 * 8 + 2);
    EXPECT_EQ(singing[2], 2);
    EXPECT_EQ(singing[5], singing.size());
    const auto dance = build(Command::WriteBlock, 11, 0);
    EXPECT_EQ(dance[6 + 4], 1); // EQ1 gain 260 = 1 * 250 + 10
    EXPECT_EQ(dance[6 + 5], 10);
}

TEST_F(Builder, ModeOverrideReplacesTheModeByteOnce)
{
    modeOverride = 4;
    const auto common = build(Command::ReadBlock, 4, 2560);
    EXPECT_EQ(common[2], 4);
    EXPECT_EQ(modeOverride, 0);
    EXPECT_EQ(build(Command::ReadBlock, 4, 2560)[2], 0);
    EXPECT_EQ(build(Command::ReadBlock, 4, 256)[2], 4);
}

TEST_F(Builder, ValuesThatCannotTravelAreRefused)
{
    store.at(0, 2560).value = 62500;
    EXPECT_THROW(build(Command::WriteParam, 0, 2560), std::exception);
    store.at(0, 2560).value = -1;
    EXPECT_THROW(build(Command::WriteParam, 0, 2560), std::exception);
    EXPECT_THROW(build(Command::WriteBlock, 0, 5), std::exception); // not the start of a kind
    EXPECT_THROW(build(Command::WriteParam, 0, 3000), std::exception);
}
