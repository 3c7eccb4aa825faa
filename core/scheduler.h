#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace quorix::core {

// A timer created by a Scheduler. start() (re)starts the countdown from now.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void setInterval(int milliseconds) = 0;
    virtual int interval() const = 0;
    virtual void setSingleShot(bool singleShot) = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

// Every timer-driven behaviour of the console runs on this interface: the
// application gives it a Qt event loop, the tests a virtual clock.
class Scheduler {
public:
    virtual ~Scheduler() = default;
    virtual std::unique_ptr<Timer> createTimer(int milliseconds, bool singleShot, std::function<void()> onTimeout) = 0;
    // Runs pending events once; a loop waiting for a reply calls this.
    virtual void processPendingEvents() = 0;
    virtual std::int64_t nowMs() const = 0;
};

} // namespace quorix::core
