#include "hid_io_thread.h"

#include <algorithm>
#include <utility>

namespace quorix::link {

HidIoThread::HidIoThread(WakeUp* wakeUp) : m_wakeUp(wakeUp), m_thread([this] { run(); }) {}

HidIoThread::~HidIoThread()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_workQueued.notify_all();
    m_thread.join();
}

void HidIoThread::post(std::function<void()> job)
{
    {
        std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }
    m_workQueued.notify_all();
}

std::unique_ptr<HidIoThread::Attachment> HidIoThread::attach(Port port)
{
    auto slot = std::make_shared<Slot>();
    slot->port = std::move(port);
    call([this, slot] {
        std::lock_guard lock(m_mutex);
        m_slots.push_back(slot);
    });
    return std::make_unique<Attachment>(*this, std::move(slot));
}

bool HidIoThread::hasWork() const
{
    return m_stopping || !m_jobs.empty() ||
           std::any_of(m_slots.begin(), m_slots.end(), [](const auto& slot) { return !slot->failed; });
}

bool HidIoThread::writesQueued() const
{
    return std::any_of(m_slots.begin(), m_slots.end(), [](const auto& slot) { return !slot->writes.empty(); });
}

void HidIoThread::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        if (!m_jobs.empty()) {
            auto job = std::move(m_jobs.front());
            m_jobs.pop_front();
            lock.unlock();
            job();
            lock.lock();
            continue;
        }
        if (m_stopping)
            return;
        bool wrote = false;
        for (const auto& slot : m_slots)
            wrote = writeQueued(lock, *slot) || wrote;
        if (wrote)
            continue; // jobs queued meanwhile go first
        std::vector<std::shared_ptr<Slot>> live;
        std::copy_if(m_slots.begin(), m_slots.end(), std::back_inserter(live),
                     [](const auto& slot) { return !slot->failed; });
        if (live.empty()) {
            m_workQueued.wait(lock, [this] { return hasWork(); });
            continue;
        }
        if (Clock::now() - m_lastActivity < std::chrono::milliseconds(kBusyForMs)) {
            // After a report the link's next request is likely: a read would hold it up.
            if (std::exchange(m_reportLast, false)) {
                m_workQueued.wait_for(lock, std::chrono::milliseconds(kBusyReadWaitMs),
                                      [this] { return m_stopping || !m_jobs.empty() || writesQueued(); });
                continue;
            }
            const int waitMs = std::max(1, kBusyReadWaitMs / static_cast<int>(live.size()));
            for (const auto& slot : live)
                readOnce(lock, *slot, waitMs);
            continue;
        }
        for (const auto& slot : live)
            readWaiting(lock, *slot);
        m_workQueued.wait_for(lock, std::chrono::milliseconds(kIdlePollMs),
                              [this] { return m_stopping || !m_jobs.empty() || writesQueued(); });
    }
}

// Writes what is queued to the slot, in order, until one fails. Reports that
// came before a write are read first, and so known to be older than it.
bool HidIoThread::writeQueued(std::unique_lock<std::mutex>& lock, Slot& slot)
{
    bool wrote = false;
    while (!slot.failed && !slot.writes.empty()) {
        readWaiting(lock, slot);
        if (slot.failed)
            break;
        const std::vector<std::uint8_t> report = std::move(slot.writes.front().bytes);
        slot.writes.pop_front();
        lock.unlock();
        const bool written = slot.port.write(report);
        lock.lock();
        wrote = true;
        m_reportLast = false;
        m_lastActivity = Clock::now();
        if (!written)
            fail(slot);
    }
    return wrote;
}

// Reads what the device already holds, without waiting.
void HidIoThread::readWaiting(std::unique_lock<std::mutex>& lock, Slot& slot)
{
    while (!slot.failed && readOnce(lock, slot, 0) > 0) {
    }
}

int HidIoThread::readOnce(std::unique_lock<std::mutex>& lock, Slot& slot, int waitMs)
{
    m_buffer.resize(std::max<std::size_t>(slot.port.inputLength, 1));
    lock.unlock();
    const int count = slot.port.read(m_buffer, waitMs);
    lock.lock();
    if (count == 0)
        return 0;
    if (count < 0) {
        fail(slot);
        return count;
    }
    m_reportLast = true;
    Clock::time_point arrived = m_lastActivity = Clock::now();
    if (!slot.writes.empty())
        arrived = std::min(arrived, slot.writes.front().queued - std::chrono::milliseconds(kBeforeWriteMs));
    // One wake-up per batch: the interface thread takes everything queued when it comes.
    const bool idle = slot.reports.empty();
    slot.reports.push_back(
        {{m_buffer.begin(), m_buffer.begin() + std::min<std::ptrdiff_t>(count, std::ssize(m_buffer))}, arrived});
    if (idle)
        wake(slot);
    return count;
}

// Nothing more goes to a failed device: the link finds it gone and opens it anew.
void HidIoThread::fail(Slot& slot)
{
    if (slot.failed)
        return;
    const bool idle = slot.reports.empty();
    slot.failed = true;
    slot.writes.clear();
    if (idle)
        wake(slot);
}

// The wake-up holds only a weak reference: a device detached by the time it runs wakes nobody.
void HidIoThread::wake(const Slot& slot)
{
    if (!m_wakeUp || slot.readableSeen.expired())
        return;
    m_wakeUp->post([readable = slot.readableSeen] {
        if (const auto call = readable.lock())
            (*call)();
    });
}

// The thread may be inside a stalled write to the device: the interface thread
// does not wait for it, and the port is closed once the thread lets go of it.
HidIoThread::Attachment::~Attachment()
{
    {
        std::lock_guard lock(m_io.m_mutex);
        m_slot->readable.reset();
        m_slot->failed = true;
        m_slot->writes.clear();
    }
    m_io.post([&io = m_io, slot = m_slot] {
        {
            std::lock_guard lock(io.m_mutex);
            std::erase(io.m_slots, slot);
        }
        if (slot->port.close)
            slot->port.close();
    });
}

bool HidIoThread::Attachment::write(std::span<const std::uint8_t> report)
{
    {
        std::lock_guard lock(m_io.m_mutex);
        if (m_slot->failed)
            return false;
        m_slot->writes.push_back({{report.begin(), report.end()}, Clock::now()});
    }
    m_io.m_workQueued.notify_all();
    return true;
}

int HidIoThread::Attachment::take(std::span<std::uint8_t> buffer)
{
    std::lock_guard lock(m_io.m_mutex);
    if (m_slot->reports.empty())
        return m_slot->failed ? -1 : 0;
    const Report report = std::move(m_slot->reports.front());
    m_slot->reports.pop_front();
    m_lastTakenAgeMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - report.arrived).count();
    const std::size_t n = std::min(buffer.size(), report.bytes.size());
    std::copy_n(report.bytes.begin(), n, buffer.begin());
    return static_cast<int>(n);
}

bool HidIoThread::Attachment::notifyReadable(std::function<void()> readable)
{
    if (!m_io.m_wakeUp)
        return false;
    std::lock_guard lock(m_io.m_mutex);
    m_slot->readable = std::make_shared<std::function<void()>>(std::move(readable));
    m_slot->readableSeen = m_slot->readable;
    // Reports read before anyone asked wake it now.
    if (!m_slot->reports.empty() || m_slot->failed)
        m_io.wake(*m_slot);
    return true;
}

} // namespace quorix::link
