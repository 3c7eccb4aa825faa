#pragma once

#include "wake_up.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <type_traits>
#include <vector>

namespace quorix::link {

// The one thread that touches the USB library. It runs the backend's calls
// (enumerate, open, close), reads the input reports of every attached device
// and writes its output reports, so the interface thread never waits on a
// device: a write is queued and its failure comes back as the device's failure,
// which take() gives once the reports before it were taken. A device's writes
// go out in the order they were queued, and none after one has failed.
class HidIoThread {
public:
    // hidapi's read: a byte count, 0 on time-out, -1 once the device is gone.
    using Read = std::function<int(std::span<std::uint8_t> buffer, int timeoutMs)>;
    using Write = std::function<bool(std::span<const std::uint8_t> report)>;
    // One open device as the I/O thread uses it; `close` runs there when it is detached.
    struct Port {
        Read read;
        Write write;
        std::function<void()> close;
        std::size_t inputLength = 0;
    };
    class Attachment;

    // Shortly after a write or a report, the thread waits in a read of
    // kBusyReadWaitMs, so a reply is taken as it comes and a write waits at most
    // that long; right after a report it first waits that long for a write,
    // which wakes it at once. Otherwise it looks for reports every kIdlePollMs and a write or
    // call wakes it at once.
    static constexpr int kBusyReadWaitMs = 1;
    static constexpr int kBusyForMs = 50;
    static constexpr int kIdlePollMs = 20;
    // A report read while a write waited to go out cannot be its reply: it is
    // stamped this much before that write was queued, so the link finds it older
    // than the request whatever the rounding of the two clocks.
    static constexpr int kBeforeWriteMs = 3;

    // Starts the thread. Wake-ups for readable reports go through `wakeUp`; without one, devices are polled.
    explicit HidIoThread(WakeUp* wakeUp);
    // Runs the calls and closes still queued, then stops the thread and waits for
    // it; every attachment must be gone before.
    ~HidIoThread();
    HidIoThread(const HidIoThread&) = delete;
    HidIoThread& operator=(const HidIoThread&) = delete;

    // Runs `job` on the I/O thread and gives its result: for the library's quick
    // calls that do not wait on a device's endpoint (enumerate, open).
    template <class Job>
    std::invoke_result_t<Job&> call(Job job)
    {
        std::packaged_task<std::invoke_result_t<Job&>()> task(std::move(job));
        auto result = task.get_future();
        post([&task] { task(); });
        return result.get();
    }

    // Hands a device over: the thread reads it from now on and writes what is queued to it.
    std::unique_ptr<Attachment> attach(Port port);

private:
    using Clock = std::chrono::steady_clock;
    struct Report {
        std::vector<std::uint8_t> bytes;
        Clock::time_point arrived;
    };
    // What the two threads share of one device, under m_mutex; the port is the I/O thread's alone.
    struct QueuedWrite {
        std::vector<std::uint8_t> bytes;
        Clock::time_point queued;
    };
    struct Slot {
        Port port;
        std::deque<QueuedWrite> writes;
        std::deque<Report> reports;
        bool failed = false;
        std::shared_ptr<std::function<void()>> readable;
        std::weak_ptr<std::function<void()>> readableSeen;
    };

    void post(std::function<void()> job);
    void run();
    bool writeQueued(std::unique_lock<std::mutex>& lock, Slot& slot);
    int readOnce(std::unique_lock<std::mutex>& lock, Slot& slot, int waitMs);
    void readWaiting(std::unique_lock<std::mutex>& lock, Slot& slot);
    void fail(Slot& slot);
    void wake(const Slot& slot);
    bool hasWork() const;
    bool writesQueued() const;

    WakeUp* m_wakeUp;
    std::mutex m_mutex;
    std::condition_variable m_workQueued;
    std::deque<std::function<void()>> m_jobs;
    // Changed only on the I/O thread, so it can walk them with the lock let go.
    std::vector<std::shared_ptr<Slot>> m_slots;
    Clock::time_point m_lastActivity{};
    std::vector<std::uint8_t> m_buffer; // the I/O thread's
    bool m_reportLast = false;          // the last the thread did was read a report
    bool m_stopping = false;
    std::thread m_thread;
};

// The interface thread's side of one attached device.
class HidIoThread::Attachment {
public:
    Attachment(HidIoThread& io, std::shared_ptr<Slot> slot) : m_io(io), m_slot(std::move(slot)) {}
    // Detaches the device without waiting: nothing more is read from or written
    // to it, what is still queued to it is dropped, no wake-up posted before
    // calls `readable`, and its port is closed on the I/O thread after every call
    // queued before.
    ~Attachment();
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;

    // Queues a report; false once the device has failed.
    bool write(std::span<const std::uint8_t> report);
    // The oldest report read, 0 when none is queued, -1 once the device failed
    // (a read or a write) and everything before was taken.
    int take(std::span<std::uint8_t> buffer);
    // How long the report take() gave last had waited in the queue.
    std::int64_t lastTakenAgeMs() const { return m_lastTakenAgeMs; }
    // Has `readable` called on the interface thread whenever take() may give
    // something; false when the thread has no way to wake it.
    bool notifyReadable(std::function<void()> readable);

private:
    HidIoThread& m_io;
    std::shared_ptr<Slot> m_slot;
    std::int64_t m_lastTakenAgeMs = 0;
};

} // namespace quorix::link
