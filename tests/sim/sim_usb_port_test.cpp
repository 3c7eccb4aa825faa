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
    static link::Bytes Report(std::span<const std::uint8_t> payload)
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
    ASSERT_TRUE(device->writeReport(Report(handshake)));
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
    device->writeReport(Report(link::HandshakeFrame()));
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
    device->writeReport(Report(link::HandshakeFrame()));
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
    EXPECT_FALSE(device->writeReport(Report(link::HandshakeFrame())));
    port.replug();
    EXPECT_EQ(device->readReport(buffer, 0), -1); // an old handle stays dead
    auto fresh = openDevice();
    ASSERT_TRUE(fresh);
    EXPECT_TRUE(fresh->writeReport(Report(link::HandshakeFrame())));
}
