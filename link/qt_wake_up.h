#pragma once

#include "wake_up.h"

#include <QObject>

namespace quorix::link {

// Posts to the Qt event loop of the thread that made it (the interface thread).
class QtWakeUp final : public WakeUp {
public:
    void post(std::function<void()> task) override;

private:
    // Tasks run in this object's thread, and never after it is gone.
    QObject m_receiver;
};

} // namespace quorix::link
