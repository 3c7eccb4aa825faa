#include "qt_wake_up.h"

#include <QMetaObject>

namespace quorix::link {

void QtWakeUp::post(std::function<void()> task)
{
    QMetaObject::invokeMethod(&m_receiver, std::move(task), Qt::QueuedConnection);
}

} // namespace quorix::link
