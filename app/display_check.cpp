#include "display_check.h"

#include <cstdio>
#include <cstdlib>

namespace quorix::app {

namespace {

QtMessageHandler g_previousHandler = nullptr;
int g_exitCode = 1;

void EndOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg) {
        if (g_previousHandler)
            g_previousHandler(type, context, message);
        return;
    }
    std::fprintf(stderr, "quorix-console: the window system could not start: %s\n", qPrintable(message));
    std::fflush(stderr);
    std::_Exit(g_exitCode);
}

} // namespace

WindowSystemStart::WindowSystemStart(int exitCode)
{
    g_exitCode = exitCode;
    g_previousHandler = qInstallMessageHandler(EndOnFatal);
}

WindowSystemStart::~WindowSystemStart()
{
    qInstallMessageHandler(g_previousHandler);
}

QString MissingDisplay(const QStringList& arguments, const QProcessEnvironment& environment)
{
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    Q_UNUSED(arguments);
    Q_UNUSED(environment);
    return {};
#else
    for (const QString& name :
         {QStringLiteral("DISPLAY"), QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("QT_QPA_PLATFORM")})
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
