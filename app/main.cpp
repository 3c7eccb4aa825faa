// quorix-console: the tuning console. Without hardware, --simulator runs it
// against the built-in virtual processor.
#include "mode_folder.h"
#include "permission_aware_backend.h"
#include "quit_after_first_paint.h"

#include "console_session.h"
#include "ui/link_screen.h"
#include "ui/slider_accessible.h"
#include "ui/tuning_window.h"

#include "graph/response_plot.h"
#include "ui/console_frame.h"
#include "ui/qt_prompter.h"

#include "link/chosen_device_backend.h"
#include "link/hidapi_backend.h"
#include "link/qt_scheduler.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <fstream>
#include <iostream>
#include <memory>

using namespace quorix;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorix-console"));
    QApplication::setOrganizationName(QStringLiteral("Quorix"));
    QApplication::setApplicationVersion(QString::fromUtf8(QUORIX_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Quorix Console: the tuning console of the Quorix KTV processor."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption simulator(QStringLiteral("simulator"),
                                       QStringLiteral("Run against the built-in virtual processor instead of USB."));
    const QCommandLineOption trace(QStringLiteral("trace"), QStringLiteral("Write the protocol trace to FILE."),
                                   QStringLiteral("FILE"));
    const QCommandLineOption modeDir(QStringLiteral("mode-dir"),
                                     QStringLiteral("Keep configuration files in DIR instead of the mode folder."),
                                     QStringLiteral("DIR"));
    const QCommandLineOption memory(QStringLiteral("simulator-memory"),
                                    QStringLiteral("Load the virtual processor's memory from FILE when it exists and "
                                                   "save it there when the console ends (implies --simulator)."),
                                    QStringLiteral("FILE"));
    QCommandLineOption firstFrame(QStringLiteral("quit-after-first-frame"),
                                  QStringLiteral("Quit once the main window has painted (start-up measurements)."));
    firstFrame.setFlags(QCommandLineOption::HiddenFromHelp);
    const QCommandLineOption device(QStringLiteral("device"),
                                    QStringLiteral("Use the processor at PATH (see quorix-cli list) rather than the "
                                                   "first one found."),
                                    QStringLiteral("PATH"));
    parser.addOptions({simulator, memory, trace, modeDir, device, firstFrame});
    parser.process(app);

    std::unique_ptr<std::ofstream> traceFile;
    if (parser.isSet(trace)) {
        traceFile = std::make_unique<std::ofstream>(parser.value(trace).toStdString());
        if (!*traceFile) {
            std::cerr << "quorix-console: cannot write the trace to " << parser.value(trace).toStdString() << '\n';
            return 2;
        }
    }

    const bool simulated = parser.isSet(simulator) || parser.isSet(memory);
    const app::ModeFolder folder = app::ChooseModeFolder(parser.value(modeDir), QApplication::applicationDirPath(),
                                                         QStringLiteral(QUORIX_INSTALLED_BINDIR));
    link::QtScheduler scheduler;
    ui::ConsoleFrame* frameWindow = nullptr;
    std::unique_ptr<link::HidapiBackend> usb; // outlives the session that reaches it through the keyhole
    std::unique_ptr<link::HidBackend> hardware;
    if (!simulated) {
        usb = std::make_unique<link::HidapiBackend>();
        auto chosen = std::make_unique<link::ChosenDeviceBackend>(*usb, parser.value(device).toStdString());
        hardware = std::make_unique<app::PermissionAwareBackend>(std::move(chosen), [&] {
            if (frameWindow && frameWindow->mainWindow())
                frameWindow->mainWindow()->linkScreen().showNoPermission();
        });
    }
    app::ConsoleSession session(scheduler, std::move(hardware),
                               {simulated, traceFile.get(), parser.value(memory).toStdString(),
                                folder.path.toStdString()});

    ui::InstallSliderAccessibility();
    ui::QtPrompter prompter;
    ui::ConsoleFrame frame(session, prompter);
    frameWindow = &frame;
    prompter.setParent(&frame);
    frame.resize(1180, 900);
    if (parser.isSet(firstFrame))
        app::QuitAfterFirstPaint(frame.mainWindow()->plot());
    frame.show();
    if (!folder.error.isEmpty())
        prompter.showMessage(folder.error.toStdString(), link::MessageIcon::Warning);
    if (!session.memoryProblem().empty())
        prompter.showMessage("模拟处理器的存储文件无法读取，已使用出厂设置，且退出时不会覆盖该文件：\n" +
                                 session.memoryProblem(),
                             link::MessageIcon::Warning);
    return app.exec();
}
