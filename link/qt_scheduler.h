#pragma once

#include "core/scheduler.h"

#include <QElapsedTimer>

namespace quorix::link {

// The scheduler of the running application: QTimer for timers, the Qt event
// loop for the nested wait of a request.
class QtScheduler final : public core::Scheduler {
public:
    QtScheduler();
    std::unique_ptr<core::Timer> createTimer(int milliseconds, bool singleShot,
                                             std::function<void()> onTimeout) override;
    // Waits for the next event (a timer, a window event) and runs what is pending.
    void processPendingEvents() override;
    std::int64_t nowMs() const override { return m_clock.elapsed(); }

private:
    QElapsedTimer m_clock;
};

} // namespace quorix::link
