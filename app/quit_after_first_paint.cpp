#include "quit_after_first_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace quorix::app {

namespace {

class FirstPaint final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }
};

} // namespace

void QuitAfterFirstPaint(QWidget& widget)
{
    widget.installEventFilter(new FirstPaint(&widget));
}

} // namespace quorix::app
