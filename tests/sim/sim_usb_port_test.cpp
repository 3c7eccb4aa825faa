#include "hex.h"
#include "protocol_figures.h"

#include "sim/sim_usb_port.h"

#include "link/frame.h"

#include "core/manual_scheduler.h"

#include <gtest/gtest.h>

using namespace quorix;

namespace {

struct Port : ::testing::Test {
    core::ManualScheduler clock;
    sim::VirtualProcessor processor;
    sim::SimUsbPort port{processor, clock};

    std::unique_ptr<link::HidDevice> openDevice()
    {
        const auto paths = port.enumerate(link::kProcessorVendorId, link::kProcessorProductId, nullptr);
        return paths.empty() ? nullptr : port.open(paths.front());
    }
    static link::Bytes report(std::span<const std::uint8_t> payload)
    {
        link::Bytes report(65, 0);
        report[0] = 1;
        report[1] = static_cast<std::uint8_t>(payload.size());
        std::copy(payload.begin(), payload.end(), report.begin() + 2);
        return report;
    }
};

} // namespace

TEST_F(Port, AnswersComeBackAsInputReports)
{
    auto device = openDevice();
    ASSERT_TRUE(device);
    const link::Bytes handshake = link::HandshakeFrame();
    ASSERT_TRUE(device->writeReport(report(handshake)));
    link::Bytes buffer(65);
    ASSERT_EQ(device->readReport(buffer, 0), 65);
    EXPECT_EQ(buffer[0], 2);
    EXPECT_EQ(buffer[1], 11);
    EXPECT_EQ(buffer[2], 0xFE);
    EXPECT_EQ(device->readReport(buffer, 0), 0);
}

TEST_F(Port, SplitRepliesTravelOneByteAReport)
{
    port.setSplitReplies(true);
    auto device = openDevice();
    device->writeReport(report(link::HandshakeFrame()));
    link::Bytes buffer(65);
    int reports = 0;
    while (device->readReport(buffer, 0) > 0) {
        EXPECT_EQ(buffer[1], 1);
        ++reports;
    }
    EXPECT_EQ(reports, 11);
}

TEST_F(Port, PacingAndDelayHoldRepliesBack)
{
    port.setFullSpeedPacing(true);
    port.setReplyDelay(10);
    auto device = openDevice();
    device->writeReport(report(link::HandshakeFrame()));
    link::Bytes buffer(65);
    clock.advance(10);
    EXPECT_EQ(device->readReport(buffer, 0), 0);
    clock.advance(1);
    EXPECT_EQ(device->readReport(buffer, 0), 65);
}

TEST_F(Port, UnpluggedDevicesVanishAndTheirHandlesFail)
{
    auto device = openDevice();
    port.unplug();
    EXPECT_FALSE(openDevice());
    link::Bytes buffer(65);
    EXPECT_EQ(device->readReport(buffer, 0), -1);
    EXPECT_FALSE(device->writeReport(report(link::HandshakeFrame())));
    port.replug();
    EXPECT_EQ(device->readReport(buffer, 0), -1); // an old handle stays dead
    auto fresh = openDevice();
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(fresh->writeReport(report(link::HandshakeFrame())));
}

TEST_F(Port, ReportsThatDoNotFitTheEndpointFailAndAreRefused)
{
    auto device = openDevice();
    link::Bytes longer = report(link::HandshakeFrame());
    longer.push_back(0);
    link::Bytes wrongId = report(link::HandshakeFrame());
    wrongId[0] = 2;
    link::Bytes overlong = report(link::HandshakeFrame());
    overlong[1] = 64;
    for (const auto& report : {longer, wrongId, overlong})
        EXPECT_FALSE(device->writeReport(report));
    EXPECT_EQ(processor.refusals().count(), 3) << processor.refusals().text();
    EXPECT_EQ(port.reportsWritten(), 0);
}

TEST_F(Port, AStaleReplyLetsLaterRepliesPass)
{
    auto device = openDevice();
    port.delayNextReply(700);
    device->writeReport(report(Hex(figures::kReadStatus)));
    clock.advance(600);
    device->writeReport(report(Hex(figures::kReadDone)));
    link::Bytes buffer(65);
    ASSERT_EQ(device->readReport(buffer, 0), 65);
    EXPECT_EQ(buffer[4], 0x0E); // the later request's answer comes first
    EXPECT_EQ(device->readReport(buffer, 0), 0);
    clock.advance(100);
    ASSERT_EQ(device->readReport(buffer, 0), 65);
    EXPECT_EQ(link::Bytes(buffer.begin() + 2, buffer.begin() + 7), Hex("FE 05 00 00 03"));
}

TEST_F(Port, UnplugDuringABlockWriteCutsTheFrameAndTheProcessorForgetsIt)
{
    auto device = openDevice();
    port.unplugDuringNextBlockWrite();
    link::Bytes frame = {0xFE, 0x02, 0x00, 0x0A, 0x00, 95};
    frame.resize(94, 0);
    frame.push_back(static_cast<std::uint8_t>((0xFE + 0x02 + 0x0A + 95) & 0xFF));
    EXPECT_TRUE(device->writeReport(report(std::span(frame).first(63))));
    EXPECT_FALSE(port.plugged());
    EXPECT_FALSE(device->writeReport(report(std::span(frame).subspan(63))));
    port.replug();
    auto fresh = openDevice();
    fresh->writeReport(report(Hex(figures::kReadStatus)));
    EXPECT_EQ(processor.refusals().count(), 0) << processor.refusals().text();
    EXPECT_EQ(processor.requestsReceived(), 1);
}

// A reader with a clock of its own takes the paced reports before they are due,
// each with its moment, one millisecond apart, and they count as read.
TEST_F(Port, ReportsTakenAheadKeepTheirPacedMoments)
{
    port.setFullSpeedPacing(true);
    port.setSplitReplies(true);
    auto device = openDevice();
    device->writeReport(report(link::HandshakeFrame()));
    std::vector<std::int64_t> moments;
    while (auto report = port.takeAhead()) {
        EXPECT_EQ(report->bytes[0], link::kInputReportId);
        moments.push_back(report->readyAt);
    }
    ASSERT_EQ(moments.size(), 11U);
    for (std::size_t i = 0; i < moments.size(); ++i)
        EXPECT_EQ(moments[i], static_cast<std::int64_t>(i) + 1);
    EXPECT_EQ(port.reportsRead(), 11);
    link::Bytes buffer(65);
    clock.advance(20);
    EXPECT_EQ(device->readReport(buffer, 0), 0);
    port.unplug();
    EXPECT_FALSE(port.takeAhead());
}
