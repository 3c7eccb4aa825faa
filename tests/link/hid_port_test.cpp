#include "hex.h"

#include "link/device_link.h"
#include "link/frame.h"
#include "link/hid_port.h"
#include "link/link_workspace.h"
#include "link/null_link_host.h"

#include "core/address_map.h"
#include "core/manual_scheduler.h"

#include <gtest/gtest.h>

#include <deque>
#include <sstream>

using namespace quorix;
using namespace quorix::link;

namespace {

// A device on a bench: records every report written, hands out queued input
// reports, and can be made to fail or vanish.
struct FakeBackend : HidBackend {
    struct Device : HidDevice {
        FakeBackend& owner;
        explicit Device(FakeBackend& o) : owner(o) {}
        bool writeReport(std::span<const std::uint8_t> report) override
        {
            if (owner.failWrites > 0) {
                --owner.failWrites;
                return false;
            }
            owner.written.emplace_back(report.begin(), report.end());
            return true;
        }
        int readReport(std::span<std::uint8_t> buffer, int) override
        {
            if (owner.gone)
                return -1;
            if (owner.input.empty())
                return 0;
            const Bytes report = owner.input.front();
            owner.input.pop_front();
            std::copy(report.begin(), report.end(), buffer.begin());
            return static_cast<int>(report.size());
        }
        std::size_t inputReportLength() const override { return owner.inputLength; }
        std::size_t outputReportLength() const override { return owner.outputLength; }
        bool notifyReadable(std::function<void()> readable) override
        {
            owner.readable = std::move(readable);
            return owner.wakes;
        }
        std::int64_t lastReportAgeMs() const override { return owner.age ? owner.age() : 0; }
    };

    std::vector<std::string> enumerate(std::uint16_t vendor, std::uint16_t product, std::string*) override
    {
        ++enumerations;
        if (!present || vendor != 0x7A3C || product != 0x0101)
            return {};
        return {"dev0"};
    }
    std::unique_ptr<HidDevice> open(const std::string&) override
    {
        gone = false;
        return std::make_unique<Device>(*this);
    }

    bool present = true;
    bool gone = false;
    bool wakes = false; // the device says when a report is there
    std::function<void()> readable;
    std::function<std::int64_t()> age; // of the report read last
    int failWrites = 0;
    int enumerations = 0;
    std::size_t inputLength = 65;
    std::size_t outputLength = 65;
    std::vector<Bytes> written;
    std::deque<Bytes> input;
};

Bytes Report(std::uint8_t id, std::string_view payloadHex)
{
    Bytes report(65, 0);
    const Bytes payload = Hex(payloadHex);
    report[0] = id;
    report[1] = static_cast<std::uint8_t>(payload.size());
    std::copy(payload.begin(), payload.end(), report.begin() + 2);
    return report;
}

struct Usb : ::testing::Test {
    core::ManualScheduler clock;
    FakeBackend backend;
    std::vector<Bytes> arrived;
    std::vector<std::int64_t> arrivedAt;
    std::vector<bool> plugs;
    int failures = 0;
    std::vector<std::string> refusals;
    HidPort usb{backend,
                clock,
                {[this](std::span<const std::uint8_t> d, std::int64_t at) {
                     arrived.emplace_back(d.begin(), d.end());
                     arrivedAt.push_back(at);
                 },
                 [this](bool p) { plugs.push_back(p); }, [this] { ++failures; },
                 [this](const std::string& m) { refusals.push_back(m); }}};
};

} // namespace

TEST_F(Usb, AFrameGoesOutInReportsOfId1WithALengthByte)
{
    const Bytes frame = Hex("FE 00 00 01 0F 0F 00 0A 00 14 00 FA 00 10 30");
    ASSERT_TRUE(usb.sendData(frame));
    ASSERT_EQ(backend.written.size(), 1u);
    Bytes expected(65, 0);
    expected[0] = 0x01;
    expected[1] = 0x0F;
    std::copy(frame.begin(), frame.end(), expected.begin() + 2);
    EXPECT_EQ(backend.written[0], expected);

    backend.written.clear();
    ASSERT_TRUE(usb.sendData(Bytes(100, 0x11)));
    ASSERT_EQ(backend.written.size(), 2u);
    EXPECT_EQ(backend.written[0][1], 63);
    EXPECT_EQ(backend.written[1][1], 37);
    EXPECT_EQ(backend.written[1][2 + 36], 0x11);
    EXPECT_EQ(backend.written[1][2 + 37], 0);
}

TEST_F(Usb, OnlyInputReportsOfId2WithAPayloadArrive)
{
    usb.connect();
    usb.startPolling();
    backend.input = {Report(1, "AA"), Report(2, ""), Report(2, "01 02 03"), Report(2, "04")};
    clock.advance(5);
    ASSERT_EQ(arrived.size(), 2u); // every queued report is drained in one tick
    EXPECT_EQ(arrived[0], Hex("01 02 03"));
    EXPECT_EQ(arrived[1], Hex("04"));
}

TEST_F(Usb, ADeviceThatWakesTheLinkIsReadWhenItSaysAndNeverPolled)
{
    backend.wakes = true;
    usb.connect();
    usb.startPolling();
    backend.input = {Report(2, "01"), Report(2, "02")};
    clock.advance(100);
    EXPECT_TRUE(arrived.empty());
    backend.readable();
    EXPECT_EQ(arrived.size(), 2u);

    backend.gone = true; // unplugged: it says so, and the search is polled again
    backend.present = false;
    backend.readable();
    EXPECT_FALSE(usb.isOpen());
    const int before = backend.enumerations;
    clock.advance(1000);
    EXPECT_EQ(backend.enumerations - before, 10);
}

// A report stamped before it came would make a reply look older than its
// request: the link would drop it as stale and wait for its time-out.
TEST_F(Usb, AReportIsNeverStampedBeforeItCameWhenTheClockTicksWhileItIsRead)
{
    backend.wakes = true;
    usb.connect();
    usb.startPolling();
    clock.advance(12);
    const std::int64_t came = clock.nowMs();
    backend.age = [&] {
        clock.advance(1); // the millisecond ends between the port's two readings of the clock
        return clock.nowMs() - came;
    };
    backend.input = {Report(2, "01")};
    backend.readable();
    ASSERT_EQ(arrivedAt.size(), 1u);
    EXPECT_GE(arrivedAt[0], came);
}

TEST_F(Usb, ConnectWithoutADeviceReportsPlugFalse)
{
    backend.present = false;
    EXPECT_FALSE(usb.connect());
    EXPECT_EQ(plugs, std::vector<bool>{false});
    EXPECT_EQ(usb.outputReportLength(), 0u);
    EXPECT_FALSE(usb.sendData(Hex("FF")));
}

TEST_F(Usb, AFailedWriteIsRetriedOnceAfterReconnecting)
{
    usb.connect();
    clock.advance(100); // past the enumeration limit
    backend.failWrites = 1;
    EXPECT_TRUE(usb.sendData(Hex("FF")));
    EXPECT_EQ(backend.written.size(), 1u);
    backend.failWrites = 2;
    EXPECT_FALSE(usb.sendData(Hex("FF")));
    EXPECT_EQ(failures, 0); // the link's retries deal with it
}

TEST_F(Usb, AnUnusableReportLengthFailsWithOneMessage)
{
    backend.outputLength = 2;
    usb.connect();
    EXPECT_FALSE(usb.sendData(Hex("FF")));
    EXPECT_FALSE(usb.sendData(Hex("FF")));
    EXPECT_EQ(failures, 1);
}

TEST_F(Usb, ADeviceClaimingReportsLongerThanHidCarriesIsNeverUsed)
{
    for (const auto& [input, output] : {std::pair<std::size_t, std::size_t>{65, SIZE_MAX}, {4097, 65}}) {
        backend.inputLength = input;
        backend.outputLength = output;
        EXPECT_FALSE(usb.connect());
        EXPECT_FALSE(usb.isOpen());
        EXPECT_EQ(usb.inputReportLength(), 0u);
        EXPECT_EQ(usb.outputReportLength(), 0u);
        EXPECT_FALSE(usb.sendData(Hex("FE 09 23 23 23 09 23 23 BF")));
        usb.startPolling();
        clock.advance(200);
        usb.stopPolling();
    }
    EXPECT_TRUE(backend.written.empty());
    EXPECT_EQ(plugs.back(), false);
    EXPECT_EQ(failures, 1);
    ASSERT_FALSE(refusals.empty());
    EXPECT_NE(refusals.front().find("output reports longer than the 4096 bytes"), std::string::npos)
        << refusals.front();
    EXPECT_NE(refusals.back().find("input reports longer"), std::string::npos) << refusals.back();
}

TEST_F(Usb, TheTraceSaysWhyADeviceWasNotUsed)
{
    backend.outputLength = 4097;
    LinkWorkspace work;
    NullLinkHost host;
    std::ostringstream trace;
    DeviceLink device(backend, clock, work.context(), host, &trace);
    device.start();
    clock.advance(300);
    device.stop();
    EXPECT_FALSE(device.online());
    EXPECT_TRUE(backend.written.empty());
    EXPECT_NE(trace.str().find("device not usable: output reports longer than the 4096 bytes"), std::string::npos)
        << trace.str();
}

TEST_F(Usb, AnUnpluggedDeviceIsSearchedForEvery100Ms)
{
    usb.connect();
    usb.startPolling();
    backend.gone = true;
    backend.present = false;
    clock.advance(5); // the read fails: the device is closed
    EXPECT_FALSE(usb.isOpen());
    const int before = backend.enumerations;
    clock.advance(1000);
    EXPECT_EQ(backend.enumerations - before, 10);
    backend.present = true;
    clock.advance(100);
    EXPECT_TRUE(usb.isOpen());
    EXPECT_EQ(plugs.back(), true);
}

TEST_F(Usb, AnOpenDeviceIsNeverClosedWhileItWorks)
{
    usb.connect();
    usb.startPolling();
    const int before = backend.enumerations;
    clock.advance(10000);
    EXPECT_EQ(backend.enumerations, before);
}

TEST_F(Usb, EnumerationRunsAtMostEvery100MsOnEveryPath)
{
    backend.present = false;
    usb.startPolling();
    for (int ms = 0; ms < 1000; ++ms) {
        usb.sendData(Hex("FF")); // the keep-alive and every request try this with no device
        clock.advance(1);
    }
    EXPECT_EQ(backend.enumerations, 11); // at 0, 100, ..., 1000 ms

    backend.present = true;
    clock.advance(100);
    ASSERT_TRUE(usb.isOpen());
    const int before = backend.enumerations;
    backend.failWrites = 1000; // a device that takes no report: each failed write wants to reconnect
    for (int ms = 0; ms < 1000; ++ms) {
        usb.sendData(Hex("FF"));
        clock.advance(1);
    }
    EXPECT_LE(backend.enumerations - before, 10);
}
