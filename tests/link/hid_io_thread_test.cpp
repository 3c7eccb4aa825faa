#include "link/hid_io_thread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

using namespace quorix::link;

namespace {

constexpr auto kPatience = std::chrono::seconds(10);

// The interface thread of the test: posted tasks wait here until the test runs them.
struct TaskQueue final : WakeUp {
    std::mutex mutex;
    std::condition_variable posted;
    std::deque<std::function<void()>> tasks;

    void post(std::function<void()> task) override
    {
        std::lock_guard lock(mutex);
        tasks.push_back(std::move(task));
        posted.notify_all();
    }
    void runPosted()
    {
        std::unique_lock lock(mutex);
        while (!tasks.empty()) {
            auto task = std::move(tasks.front());
            tasks.pop_front();
            lock.unlock();
            task();
            lock.lock();
        }
    }
    // Runs the next posted task, waiting for it to be posted.
    bool runNext()
    {
        std::unique_lock lock(mutex);
        if (!posted.wait_for(lock, kPatience, [&] { return !tasks.empty(); }))
            return false;
        auto task = std::move(tasks.front());
        tasks.pop_front();
        lock.unlock();
        task();
        return true;
    }
};

// A device whose reads the test feeds and whose writes it can hold at a gate:
// each read gives the next fed result, or times out; each write is recorded
// with the thread that made it, and fails once the device is gone.
struct FedDevice {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::vector<std::uint8_t>> reports;
    std::vector<std::vector<std::uint8_t>> written;
    std::thread::id writer;
    std::thread::id closer;
    bool gone = false;
    bool gateOpen = true;
    bool writeWaiting = false;
    int writeAttempts = 0;

    void feed(std::vector<std::uint8_t> report)
    {
        std::lock_guard lock(mutex);
        reports.push_back(std::move(report));
        changed.notify_all();
    }
    void unplug()
    {
        std::lock_guard lock(mutex);
        gone = true;
        changed.notify_all();
    }
    void setGate(bool open)
    {
        std::lock_guard lock(mutex);
        gateOpen = open;
        changed.notify_all();
    }
    // Waits until `done` holds; false when it did not within the patience.
    bool await(const std::function<bool()>& done)
    {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, kPatience, done);
    }
    int read(std::span<std::uint8_t> buffer, int timeoutMs)
    {
        std::unique_lock lock(mutex);
        changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return gone || !reports.empty(); });
        if (!reports.empty()) {
            const auto report = reports.front();
            reports.pop_front();
            std::copy(report.begin(), report.end(), buffer.begin());
            return static_cast<int>(report.size());
        }
        return gone ? -1 : 0;
    }
    bool write(std::span<const std::uint8_t> report)
    {
        std::unique_lock lock(mutex);
        writeWaiting = true;
        ++writeAttempts;
        changed.notify_all();
        changed.wait(lock, [&] { return gateOpen; });
        writeWaiting = false;
        writer = std::this_thread::get_id();
        if (gone)
            return false;
        written.emplace_back(report.begin(), report.end());
        changed.notify_all();
        return true;
    }
    void close()
    {
        std::lock_guard lock(mutex);
        closer = std::this_thread::get_id();
    }
};

struct IoThreadTest : ::testing::Test {
    TaskQueue interfaceThread;
    FedDevice device;
    HidIoThread io{&interfaceThread};
    int wakes = 0;

    std::unique_ptr<HidIoThread::Attachment> attach()
    {
        auto attachment = io.attach(
            {.read = [this](std::span<std::uint8_t> buffer, int timeoutMs) { return device.read(buffer, timeoutMs); },
             .write = [this](std::span<const std::uint8_t> report) { return device.write(report); },
             .close = [this] { device.close(); },
             .inputLength = 4});
        attachment->notifyReadable([this] { ++wakes; });
        return attachment;
    }

    // The next result of a take, running wake-ups while there is none.
    int next(HidIoThread::Attachment& attachment, std::span<std::uint8_t> buffer)
    {
        for (;;) {
            if (const int result = attachment.take(buffer); result != 0)
                return result;
            if (!interfaceThread.runNext())
                return 0;
        }
    }
};

} // namespace

TEST_F(IoThreadTest, ReportsArriveInOrderWithAWakeUpAndAFailureEndsThem)
{
    auto attachment = attach();
    std::vector<std::uint8_t> buffer(4);
    EXPECT_EQ(attachment->take(buffer), 0);

    device.feed({2, 1, 0xAA, 0});
    EXPECT_EQ(next(*attachment, buffer), 4);
    EXPECT_EQ(buffer[2], 0xAA);
    interfaceThread.runPosted(); // the wake-up is posted with the report, not later
    EXPECT_EQ(wakes, 1);

    device.feed({2, 1, 0xBB, 0});
    device.unplug();
    // What came before the failure is taken first; the failure then stays.
    EXPECT_EQ(next(*attachment, buffer), 4);
    EXPECT_EQ(buffer[2], 0xBB);
    EXPECT_EQ(next(*attachment, buffer), -1);
    EXPECT_EQ(attachment->take(buffer), -1);
}

TEST_F(IoThreadTest, AWakeUpThatArrivesAfterTheDeviceIsDetachedWakesNobody)
{
    auto attachment = attach();
    device.feed({2, 1, 0xAA, 0});
    {
        std::unique_lock lock(interfaceThread.mutex);
        ASSERT_TRUE(interfaceThread.posted.wait_for(lock, kPatience, [&] { return !interfaceThread.tasks.empty(); }));
    }
    attachment.reset();
    ASSERT_TRUE(interfaceThread.runNext());
    EXPECT_EQ(wakes, 0);
}

// A write stuck in the device holds up the I/O thread only: the caller's writes
// are queued at once and go out in order once the device takes them.
TEST_F(IoThreadTest, AStalledWriteNeverHoldsTheCallerAndWritesKeepTheirOrder)
{
    auto attachment = attach();
    device.setGate(false);
    const std::uint8_t first[] = {1, 1, 0x10};
    const std::uint8_t second[] = {1, 1, 0x20};
    const std::uint8_t third[] = {1, 1, 0x30};
    ASSERT_TRUE(attachment->write(first));
    ASSERT_TRUE(device.await([&] { return device.writeWaiting; }));
    EXPECT_TRUE(attachment->write(second));
    EXPECT_TRUE(attachment->write(third));

    device.setGate(true);
    ASSERT_TRUE(device.await([&] { return device.written.size() == 3; }));
    const std::vector<std::vector<std::uint8_t>> expected{{1, 1, 0x10}, {1, 1, 0x20}, {1, 1, 0x30}};
    EXPECT_EQ(device.written, expected);
    EXPECT_NE(device.writer, std::this_thread::get_id());
}

// A failed write is the device's failure: what was queued behind it never goes
// out, the link reads the failure, and later writes are refused at once.
TEST_F(IoThreadTest, NothingIsWrittenAfterAFailedWriteAndTheFailureReachesTheReader)
{
    auto attachment = attach();
    device.setGate(false);
    const std::uint8_t report[] = {1, 1, 0x10};
    ASSERT_TRUE(attachment->write(report));
    ASSERT_TRUE(device.await([&] { return device.writeWaiting; }));
    ASSERT_TRUE(attachment->write(report)); // queued behind the write that will fail
    {
        std::lock_guard lock(device.mutex);
        device.gone = true;
        device.gateOpen = true;
        device.changed.notify_all();
    }
    std::vector<std::uint8_t> buffer(4);
    EXPECT_EQ(next(*attachment, buffer), -1);
    EXPECT_FALSE(attachment->write(report));
    attachment.reset();
    io.call([] {}); // the I/O thread has let go of the device: nothing more can be tried
    EXPECT_EQ(device.writeAttempts, 1);
    EXPECT_TRUE(device.written.empty());
}

TEST_F(IoThreadTest, CallsAndTheCloseOfADetachedDeviceRunOnTheIoThread)
{
    const std::thread::id ioThread = io.call([] { return std::this_thread::get_id(); });
    EXPECT_NE(ioThread, std::this_thread::get_id());
    auto attachment = attach();
    const std::uint8_t report[] = {1, 1, 0x10};
    ASSERT_TRUE(attachment->write(report));
    ASSERT_TRUE(device.await([&] { return device.written.size() == 1; }));
    attachment.reset();
    io.call([] {});
    EXPECT_EQ(device.writer, ioThread);
    EXPECT_EQ(device.closer, ioThread);
}

// Closing a device whose write is stuck costs the interface thread nothing: the
// port is closed once the write comes back.
TEST_F(IoThreadTest, DetachingNeverWaitsForAStalledWrite)
{
    auto attachment = attach();
    device.setGate(false);
    const std::uint8_t report[] = {1, 1, 0x10};
    ASSERT_TRUE(attachment->write(report));
    ASSERT_TRUE(device.await([&] { return device.writeWaiting; }));
    attachment.reset();
    {
        std::lock_guard lock(device.mutex);
        EXPECT_EQ(device.closer, std::thread::id{});
    }
    device.setGate(true);
    io.call([] {});
    EXPECT_NE(device.closer, std::thread::id{});
}

// A report that came while a write waited to go out cannot be that write's
// reply: it is stamped older than the write was queued, so the link takes it as stale.
TEST_F(IoThreadTest, AReportReadBeforeAWriteWentOutIsOlderThanTheWrite)
{
    auto attachment = attach();
    device.setGate(false);
    const std::uint8_t report[] = {1, 1, 0x10};
    ASSERT_TRUE(attachment->write(report));
    ASSERT_TRUE(device.await([&] { return device.writeWaiting; }));
    const auto queued = std::chrono::steady_clock::now();
    ASSERT_TRUE(attachment->write(report));
    device.feed({2, 1, 0xAA, 0});
    device.setGate(true);

    ASSERT_TRUE(interfaceThread.runNext()); // the report's wake-up
    const auto sinceQueued =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - queued).count();
    std::vector<std::uint8_t> buffer(4);
    ASSERT_EQ(attachment->take(buffer), 4);
    EXPECT_GT(attachment->lastTakenAgeMs(), sinceQueued);
}
