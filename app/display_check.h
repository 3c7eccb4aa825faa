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

} // namespace quorix::app
