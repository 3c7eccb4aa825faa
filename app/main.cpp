// quorix-console: the tuning console. Without hardware, --simulator runs it
// against the built-in virtual processor.
#include "console_options.h"
#include "mode_folder.h"
#include "permission_aware_backend.h"
#include "qt_translation.h"
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
#include "link/qt_wake_up.h"

#include <QApplication>
#include <QMessageBox>
#include <QTranslator>

#include <fstream>
#include <iostream>
#include <memory>

using namespace quorix;

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const app::ConsoleOptions options = app::ParseConsoleOptions(arguments);
    switch (options.action) {
    case app::StartAction::PrintHelp:
        std::cout << app::ConsoleUsage().toStdString();
        return 0;
    case app::StartAction::PrintVersion:
        std::cout << "quorix-console " << QUORIX_VERSION << '\n';
        return 0;
    case app::StartAction::UsageError:
        std::cerr << "quorix-console: " << options.error.toStdString() << '\n' << app::ConsoleUsage().toStdString();
        return app::kExitUsage;
    case app::StartAction::Run:
        break;
    }

    std::unique_ptr<std::ofstream> traceFile;
    if (!options.trace.isEmpty()) {
        traceFile = std::make_unique<std::ofstream>(options.trace.toStdString());
        if (!*traceFile) {
            std::cerr << "quorix-console: cannot write the trace to " << options.trace.toStdString() << '\n';
            return app::kExitCannotStart;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quorix-console"));
    QApplication::setOrganizationName(QStringLiteral("Quorix"));
    QApplication::setApplicationVersion(QString::fromUtf8(QUORIX_VERSION));
    QTranslator qtTexts;
    if (app::LoadQtTranslation(qtTexts))
        QApplication::installTranslator(&qtTexts);

    const bool simulated = options.simulator;
    const app::ModeFolder folder = app::ChooseModeFolder(options.modeDir, QApplication::applicationDirPath(),
                                                         QStringLiteral(QUORIX_INSTALLED_BINDIR));
    link::QtScheduler scheduler;
    ui::ConsoleFrame* frameWindow = nullptr;
    link::QtWakeUp wakeUp; // brings the reader threads' reports to this thread
    std::unique_ptr<link::HidapiBackend> usb; // outlives the session that reaches it through the keyhole
    std::unique_ptr<link::HidBackend> hardware;
    if (!simulated) {
        usb = std::make_unique<link::HidapiBackend>(&wakeUp);
        auto chosen = std::make_unique<link::ChosenDeviceBackend>(*usb, options.device.toStdString());
        hardware = std::make_unique<app::PermissionAwareBackend>(std::move(chosen), [&] {
            if (frameWindow && frameWindow->mainWindow())
                frameWindow->mainWindow()->linkScreen().showNoPermission();
        });
    }
    std::vector<std::string> commandLine;
    for (const QString& word : arguments.mid(1))
        commandLine.push_back(word.toStdString());
    app::ConsoleSession session(scheduler, std::move(hardware),
                               {simulated, traceFile.get(), options.simulatorMemory.toStdString(),
                                folder.path.toStdString(), std::string("quorix-console ") + QUORIX_VERSION,
                                link::HidapiVersion(), commandLine});

    ui::InstallSliderAccessibility();
    ui::QtPrompter prompter;
    ui::ConsoleFrame frame(session, prompter);
    frameWindow = &frame;
    prompter.setParent(&frame);
    frame.resize(1180, 900);
    if (options.quitAfterFirstFrame)
        app::QuitAfterFirstPaint(frame.mainWindow()->plot());
    frame.show();
    if (!folder.error.isEmpty())
        prompter.showMessage(folder.error.toStdString(), ui::MessageIcon::Warning);
    if (!session.memoryProblem().empty())
        prompter.showMessage("模拟处理器的存储文件无法读取，已使用出厂设置，且退出时不会覆盖该文件：\n" +
                                 session.memoryProblem(),
                             ui::MessageIcon::Warning);
    if (!options.file.isEmpty())
        frame.OpenWhenOnline(std::filesystem::path(options.file.toStdU16String()));
    return app.exec();
}
