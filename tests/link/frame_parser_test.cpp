#include "hex.h"
#include "protocol_figures.h"

#include "link/frame_parser.h"

#include <gtest/gtest.h>

#include <string>

using namespace quorix::link;

namespace {

// Writes what the parser reports as a short text: K keep-alive, T tone reset,
// [payload] a frame, ! a bad frame.
struct Recorder : FrameListener {
    std::string log;
    void onKeepAliveAnswer() override { log += "K"; }
    void onToneReset() override { log += "T"; }
    void onFrame(std::span<const std::uint8_t> payload, std::span<const std::uint8_t>) override
    {
        log += "[";
        for (auto b : payload)
            log += std::to_string(b) + ",";
        log += "]";
    }
    void onBadFrame(std::span<const std::uint8_t>) override { log += "!"; }
};

struct Parser : ::testing::Test {
    FrameParser parser;
    Recorder recorder;
    void feed(std::string_view hex) { parser.parseIncoming(Hex(hex), recorder); }
};

} // namespace

TEST_F(Parser, AssemblesFramesSplitAcrossReports)
{
    feed("FE 05");
    feed("01");
    EXPECT_EQ(recorder.log, "");
    feed("02 06");
    EXPECT_EQ(recorder.log, "[1,2,]");
}

TEST_F(Parser, SignalBytesActEvenInsideAFrame)
{
    feed("FE 05 FF 01 FD 02 06");
    EXPECT_EQ(recorder.log, "KT[1,2,]");
}

TEST_F(Parser, AStartByteRestartsAssembly)
{
    feed("FE 07 01 02 FE 05 01 02 06");
    EXPECT_EQ(recorder.log, "[1,2,]");
}

TEST_F(Parser, BadChecksumsAndShortLengthsAreDropped)
{
    feed("FE 05 01 02 07 01 02");
    EXPECT_EQ(recorder.log, "!");
    for (const char* bad : {"FE 00", "FE 01", "FE 02"}) {
        recorder.log.clear();
        feed(bad);
        EXPECT_EQ(recorder.log, "!") << bad;
    }
    recorder.log.clear();
    feed("01 02 06 FE 05 01 02 06"); // bytes before a start byte are ignored
    EXPECT_EQ(recorder.log, "[1,2,]");
}

TEST_F(Parser, AFoldedChecksumIsAccepted)
{
    // FE + 04 + FC ends in FE, which travels as 00.
    feed("FE 04 FC 00");
    EXPECT_EQ(recorder.log, "[252,]");
}

TEST_F(Parser, RepliesOfTheProtocolFigures)
{
    feed(figures::kHandshakeReply);
    feed(figures::kStatusUser2Reply);
    feed(figures::kWriteParamAck);
    EXPECT_EQ(recorder.log, "[81,85,79,82,73,88,95,49,][0,4,][0,0,]");
}

TEST_F(Parser, ResetDropsAPartialFrame)
{
    feed("FE 05 01");
    parser.reset();
    feed("02 06");
    EXPECT_EQ(recorder.log, "");
}
