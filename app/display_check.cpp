#include "display_check.h"

namespace quorix::app {

QString MissingDisplay(const QStringList& arguments, const QProcessEnvironment& environment)
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    Q_UNUSED(arguments);
    Q_UNUSED(environment);
    return {};
#else
    for (const QString& name : {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"),
                                QStringLiteral("QT_QPA_PLATFORM")})
        if (!environment.value(name).isEmpty())
            return {};
    for (const QString& argument : arguments)
        if (argument == QLatin1String("-platform") || argument.startsWith(QLatin1String("-platform=")))
            return {};
    return QStringLiteral("no display: set DISPLAY (or WAYLAND_DISPLAY) to the screen to use, "
                          "or QT_QPA_PLATFORM (offscreen draws on none)");
#endif
}

} // namespace quorix::app
