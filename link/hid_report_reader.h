#pragma once

#include "wake_up.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace quorix::link {

// Reads a device's input reports on a thread of its own, so a report reaches
// the link when it arrives rather than at the next poll: each report is queued
// and the interface thread woken, which takes the queued reports with take().
class HidReportReader {
public:
    // hidapi's read: a byte count, 0 on time-out, -1 once the device is gone.
    using Read = std::function<int(std::span<std::uint8_t> buffer, int timeoutMs)>;
    // How long one read waits, and so how long stopping can take.
    static constexpr int kReadWaitMs = 50;

    HidReportReader(Read read, std::size_t reportLength, WakeUp& wakeUp, std::function<void()> readable);
    // Stops the thread and waits for it; no wake-up posted before reaches `readable` after this.
    ~HidReportReader();
    HidReportReader(const HidReportReader&) = delete;
    HidReportReader& operator=(const HidReportReader&) = delete;

    // Interface thread: the oldest queued report as hidapi gives it, 0 when none
    // is queued, -1 once the device failed and everything before was taken.
    int take(std::span<std::uint8_t> buffer);
    // How long the report take() gave last had waited in the queue.
    std::int64_t lastTakenAgeMs() const { return m_lastTakenAgeMs; }

private:
    using Clock = std::chrono::steady_clock;
    struct Report {
        std::vector<std::uint8_t> bytes;
        Clock::time_point arrived;
    };

    void run();
    void wake();

    Read m_read;
    std::size_t m_reportLength;
    WakeUp& m_wakeUp;
    std::shared_ptr<std::function<void()>> m_readable;
    std::weak_ptr<std::function<void()>> m_readableSeen;
    std::mutex m_mutex;
    std::deque<Report> m_reports;
    std::int64_t m_lastTakenAgeMs = 0;
    bool m_failed = false;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

} // namespace quorix::link
