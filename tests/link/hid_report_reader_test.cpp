#include "link/hid_report_reader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
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

// A device whose reads the test feeds: each read gives the next fed result, or times out.
struct FedDevice {
    std::mutex mutex;
    std::condition_variable fed;
    std::deque<std::vector<std::uint8_t>> reports;
    bool gone = false;

    void feed(std::vector<std::uint8_t> report)
    {
        std::lock_guard lock(mutex);
        reports.push_back(std::move(report));
        fed.notify_all();
    }
    void unplug()
    {
        std::lock_guard lock(mutex);
        gone = true;
        fed.notify_all();
    }
    int read(std::span<std::uint8_t> buffer, int timeoutMs)
    {
        std::unique_lock lock(mutex);
        fed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return gone || !reports.empty(); });
        if (!reports.empty()) {
            const auto report = reports.front();
            reports.pop_front();
            std::copy(report.begin(), report.end(), buffer.begin());
            return static_cast<int>(report.size());
        }
        return gone ? -1 : 0;
    }
};

struct ReaderTest : ::testing::Test {
    TaskQueue interfaceThread;
    FedDevice device;
    int wakes = 0;

    std::unique_ptr<HidReportReader> makeReader()
    {
        return std::make_unique<HidReportReader>(
            [this](std::span<std::uint8_t> buffer, int timeoutMs) { return device.read(buffer, timeoutMs); }, 4,
            interfaceThread, [this] { ++wakes; });
    }

    // The next result of a take, running wake-ups while there is none.
    int next(HidReportReader& reader, std::span<std::uint8_t> buffer)
    {
        for (;;) {
            if (const int result = reader.take(buffer); result != 0)
                return result;
            if (!interfaceThread.runNext())
                return 0;
        }
    }
};

} // namespace

TEST_F(ReaderTest, ReportsArriveInOrderWithAWakeUpAndAFailureEndsThem)
{
    auto reader = makeReader();
    std::vector<std::uint8_t> buffer(4);
    EXPECT_EQ(reader->take(buffer), 0);

    device.feed({2, 1, 0xAA, 0});
    EXPECT_EQ(next(*reader, buffer), 4);
    EXPECT_EQ(buffer[2], 0xAA);
    interfaceThread.runPosted(); // the wake-up is posted with the report, not later
    EXPECT_EQ(wakes, 1);

    device.feed({2, 1, 0xBB, 0});
    device.unplug();
    // What came before the failure is taken first; the failure then stays.
    EXPECT_EQ(next(*reader, buffer), 4);
    EXPECT_EQ(buffer[2], 0xBB);
    EXPECT_EQ(next(*reader, buffer), -1);
    EXPECT_EQ(reader->take(buffer), -1);
}

TEST_F(ReaderTest, AWakeUpThatArrivesAfterTheReaderIsGoneWakesNobody)
{
    auto reader = makeReader();
    device.feed({2, 1, 0xAA, 0});
    {
        std::unique_lock lock(interfaceThread.mutex);
        ASSERT_TRUE(interfaceThread.posted.wait_for(lock, kPatience, [&] { return !interfaceThread.tasks.empty(); }));
    }
    reader.reset();
    ASSERT_TRUE(interfaceThread.runNext());
    EXPECT_EQ(wakes, 0);
}
