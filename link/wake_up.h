#pragma once

#include <functional>

namespace quorix::link {

// Brings work from another thread to the interface thread, where the link lives.
class WakeUp {
public:
    virtual ~WakeUp() = default;
    // Callable from any thread: `task` runs later on the interface thread, in the order posted.
    virtual void post(std::function<void()> task) = 0;
};

} // namespace quorix::link
