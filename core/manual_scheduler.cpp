#include "manual_scheduler.h"

#include <stdexcept>

namespace quorix::core {

class ManualScheduler::ManualTimer final : public Timer {
public:
    ManualTimer(ManualScheduler& owner, int interval, bool singleShot, std::function<void()> onTimeout)
        : m_owner(&owner), m_interval(interval), m_singleShot(singleShot), m_onTimeout(std::move(onTimeout)) {}
    ~ManualTimer() override { stop(); }

    void setInterval(int milliseconds) override
    {
        m_interval = milliseconds;
        if (isActive())
            start();
    }
    int interval() const override { return m_interval; }
    void setSingleShot(bool singleShot) override { m_singleShot = singleShot; }
    void start() override
    {
        // A repeating timer needs a period, or advance() would never leave its moment.
        const int period = m_interval > 0 ? m_interval : (m_singleShot ? 0 : 1);
        m_owner->schedule(this, m_owner->m_now + period);
    }
    void stop() override { m_owner->unschedule(this); }
    bool isActive() const override { return m_active; }

    void fire()
    {
        m_active = false;
        if (!m_singleShot)
            start();
        m_onTimeout();
    }

    ManualScheduler* m_owner;
    int m_interval;
    bool m_singleShot;
    std::function<void()> m_onTimeout;
    bool m_active = false;
    Key m_key{};
};

ManualScheduler::ManualScheduler() = default;

ManualScheduler::~ManualScheduler()
{
    for (auto& [key, timer] : m_queue)
        timer->m_active = false;
}

std::unique_ptr<Timer> ManualScheduler::createTimer(int milliseconds, bool singleShot, std::function<void()> onTimeout)
{
    return std::make_unique<ManualTimer>(*this, milliseconds, singleShot, std::move(onTimeout));
}

void ManualScheduler::schedule(ManualTimer* timer, std::int64_t due)
{
    unschedule(timer);
    timer->m_key = {due, m_sequence++};
    timer->m_active = true;
    m_queue.emplace(timer->m_key, timer);
}

void ManualScheduler::unschedule(ManualTimer* timer)
{
    if (!timer->m_active)
        return;
    m_queue.erase(timer->m_key);
    timer->m_active = false;
}

bool ManualScheduler::fireNextDueBy(std::int64_t limit)
{
    if (m_queue.empty() || m_queue.begin()->first.first > limit)
        return false;
    const auto it = m_queue.begin();
    ManualTimer* timer = it->second;
    if (it->first.first > m_now)
        m_now = it->first.first;
    m_queue.erase(it);
    timer->fire();
    return true;
}

void ManualScheduler::processPendingEvents()
{
    if (m_queue.empty())
        throw std::logic_error("processPendingEvents with no active timer would wait forever");
    const std::int64_t due = std::max(m_now, m_queue.begin()->first.first);
    while (fireNextDueBy(due)) {
    }
}

void ManualScheduler::advance(std::int64_t milliseconds)
{
    const std::int64_t target = m_now + milliseconds;
    while (fireNextDueBy(target)) {
    }
    if (target > m_now)
        m_now = target;
}

void ManualScheduler::runUntil(const std::function<bool()>& done, std::int64_t limitMs)
{
    const std::int64_t deadline = m_now + limitMs;
    while (!done()) {
        if (m_now > deadline || m_queue.empty())
            throw std::runtime_error("runUntil: condition not reached");
        processPendingEvents();
    }
}

} // namespace quorix::core
