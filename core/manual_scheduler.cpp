#include "manual_scheduler.h"

#include <algorithm>
#include <stdexcept>

namespace quorix::core {

class ManualScheduler::ManualTimer final : public Timer {
public:
    ManualTimer(ManualScheduler& owner, int interval, bool singleShot, std::function<void()> onTimeout)
        : m_owner(&owner), m_interval(interval), m_singleShot(singleShot), m_onTimeout(std::move(onTimeout))
    {}
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
        m_running = true;
        m_onTimeout();
        m_running = false;
    }

private:
    friend class ManualScheduler;
    ManualScheduler* m_owner;
    int m_interval;
    bool m_singleShot;
    std::function<void()> m_onTimeout;
    bool m_active = false;
    bool m_running = false; // its callback is on the stack: it does not fire again until that returns
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

std::map<ManualScheduler::Key, ManualScheduler::ManualTimer*>::iterator ManualScheduler::nextFireable()
{
    return std::find_if(m_queue.begin(), m_queue.end(), [](const auto& entry) { return !entry.second->m_running; });
}

bool ManualScheduler::fireNextDueBy(std::int64_t limit)
{
    const auto it = nextFireable();
    if (it == m_queue.end() || it->first.first > limit)
        return false;
    ManualTimer* timer = it->second;
    if (it->first.first > m_now)
        m_now = it->first.first;
    m_queue.erase(it);
    timer->fire();
    return true;
}

void ManualScheduler::processPendingEvents()
{
    const auto next = nextFireable();
    if (next == m_queue.end())
        throw std::logic_error("processPendingEvents with no timer that can fire would wait forever");
    const std::int64_t due = std::max(m_now, next->first.first);
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
        if (m_now > deadline || nextFireable() == m_queue.end())
            throw std::runtime_error("runUntil: condition not reached");
        processPendingEvents();
    }
}

} // namespace quorix::core
