#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace quorix::app {

// Why the window system could not start, told before it is tried: Qt ends the
// process at once when it finds no display. Empty when a display or a Qt
// platform is named (DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM or -platform),
// and on systems whose window system needs no such name.
QString MissingDisplay(const QStringList& arguments, const QProcessEnvironment& environment);

// While it lives, Qt's fatal message (a display that is named but does not
// answer) ends the console with `exitCode` and the message on standard error,
// where Qt would abort. Other messages go to the handler that was there before.
class WindowSystemStart {
public:
    explicit WindowSystemStart(int exitCode);
    ~WindowSystemStart();
    WindowSystemStart(const WindowSystemStart&) = delete;
    WindowSystemStart& operator=(const WindowSystemStart&) = delete;
};

} // namespace quorix::app
