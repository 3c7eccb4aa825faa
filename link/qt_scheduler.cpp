#include "qt_scheduler.h"

#include <QCoreApplication>
#include <QTimer>

namespace quorix::link {

namespace {

class QtTimer final : public core::Timer {
public:
    QtTimer(int milliseconds, bool singleShot, std::function<void()> onTimeout)
    {
        m_timer.setInterval(milliseconds);
        m_timer.setSingleShot(singleShot);
        // Short periods (the 5 ms poll, the 1 ms draw) need millisecond accuracy.
        m_timer.setTimerType(milliseconds < 20 ? Qt::PreciseTimer : Qt::CoarseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, std::move(onTimeout));
    }
    void setInterval(int milliseconds) override { m_timer.setInterval(milliseconds); }
    int interval() const override { return m_timer.interval(); }
    void setSingleShot(bool singleShot) override { m_timer.setSingleShot(singleShot); }
    void start() override { m_timer.start(); }
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

} // namespace

QtScheduler::QtScheduler()
{
    m_clock.start();
}

std::unique_ptr<core::Timer> QtScheduler::createTimer(int milliseconds, bool singleShot,
                                                      std::function<void()> onTimeout)
{
    return std::make_unique<QtTimer>(milliseconds, singleShot, std::move(onTimeout));
}

void QtScheduler::processPendingEvents()
{
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace quorix::link
