#pragma once

#include "scheduler.h"

#include <cstdint>
#include <map>
#include <memory>
#include <utility>

namespace quorix::core {

// Virtual time for tests: nothing happens until advance() or
// processPendingEvents() moves the clock, and due timers fire in time order
// (timers due at the same moment in the order they were started). As with Qt,
// a timer never fires while its own callback runs (inside a nested wait); it
// fires once, late, after the callback has returned.
class ManualScheduler final : public Scheduler {
public:
    ManualScheduler();
    ~ManualScheduler() override;

    std::unique_ptr<Timer> createTimer(int milliseconds, bool singleShot, std::function<void()> onTimeout) override;
    // Fires the timers due now; when none is, moves the clock to the next due
    // timer and fires it. Throws when no timer can fire: such a wait could never end.
    void processPendingEvents() override;
    std::int64_t nowMs() const override { return m_now; }

    // Moves the clock forward by `milliseconds`, firing every timer that falls due.
    void advance(std::int64_t milliseconds);
    // Moves the clock until `done` is true, firing timers; throws past `limitMs`.
    void runUntil(const std::function<bool()>& done, std::int64_t limitMs = 600000);

    bool hasActiveTimers() const { return !m_queue.empty(); }

private:
    class ManualTimer;
    using Key = std::pair<std::int64_t, std::uint64_t>; // due time, start order

    void schedule(ManualTimer* timer, std::int64_t due);
    void unschedule(ManualTimer* timer);
    std::map<Key, ManualTimer*>::iterator nextFireable();
    bool fireNextDueBy(std::int64_t limit);

    std::int64_t m_now = 0;
    std::uint64_t m_sequence = 0;
    std::map<Key, ManualTimer*> m_queue;
};

} // namespace quorix::core
