// quorix-console: the tuning console. Without hardware, --simulator runs it
// against the built-in virtual processor.
#include "console_options.h"
#include "display_check.h"
#include "mode_folder.h"
#include "permission_aware_backend.h"
#include "qt_translation.h"
#include "quit_after_first_paint.h"
#include "remote_room.h"

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
#include "link/trace_file.h"

#include "venue/broker_url.h"

#include "core/read_small_file.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QProcessEnvironment>
#include <QTranslator>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

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

    if (const QString missing = app::MissingDisplay(arguments, QProcessEnvironment::systemEnvironment());
        !missing.isEmpty()) {
        std::cerr << "quorix-console: " << missing.toStdString() << '\n';
        return app::kExitCannotStart;
    }

    std::unique_ptr<link::TraceFile> traceFile;
    if (!options.trace.isEmpty()) {
        std::string problem;
        traceFile = link::TraceFile::open(std::filesystem::path(options.trace.toStdU16String()), problem);
        if (!traceFile) {
            std::cerr << "quorix-console: cannot write the trace to " << options.trace.toStdString() << ": " << problem
                      << '\n';
            return app::kExitCannotStart;
        }
    }

    std::optional<app::WindowSystemStart> starting(std::in_place, app::kExitCannotStart);
    QApplication app(argc, argv);
    starting.reset();
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
    link::QtWakeUp wakeUp;                    // brings the I/O thread's reports to this thread
    std::unique_ptr<link::HidapiBackend> usb; // outlives the session that reaches it through the keyhole
    std::unique_ptr<link::HidBackend> hardware;
    if (!options.room.isEmpty()) {
        app::RemoteRoom::Settings remote;
        remote.room = {options.venue.toStdString(), options.room.toStdString()};
        remote.broker.broker = *venue::ParseBrokerUrl(options.broker.toStdString());
        remote.broker.clientId = app::ConsoleName();
        remote.broker.username = options.username.toStdString();
        remote.broker.caFile = options.caFile.toStdString();
        if (!options.passwordFile.isEmpty()) {
            const auto read = core::ReadSmallFile(options.passwordFile.toStdU16String(), 4096);
            if (read.problem != core::SmallFileProblem::None) {
                std::cerr << "quorix-console: the password file " << options.passwordFile.toStdString()
                          << " cannot be read\n";
                return app::kExitCannotStart;
            }
            remote.broker.password = read.bytes.substr(0, read.bytes.find_first_of("\r\n"));
        } else if (const char* password = std::getenv(venue::kBrokerPasswordVariable)) {
            remote.broker.password = password;
        }
        auto room = std::make_unique<app::RemoteRoom>(remote, scheduler);
        room->onProblem([&frameWindow](const std::string& problem) {
            std::cerr << "quorix-console: " << problem << '\n';
            if (frameWindow && frameWindow->mainWindow())
                frameWindow->mainWindow()->linkScreen().showRemoteProblem(problem);
        });
        if (!room->start()) {
            std::cerr << "quorix-console: " << room->lastError() << '\n';
            return app::kExitCannotStart;
        }
        std::cerr << "quorix-console: tuning room " << remote.room.room << " of " << remote.room.venue << " as "
                  << remote.broker.clientId << '\n';
        hardware = std::move(room);
    } else if (!simulated) {
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
                                {simulated, traceFile ? &traceFile->stream() : nullptr,
                                 options.simulatorMemory.toStdString(), folder.path.toStdString(),
                                 std::string("quorix-console ") + QUORIX_VERSION, link::HidapiVersion(), commandLine});

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
        prompter.showMessage(folder.error.toStdString(), core::Severity::Warning);
    if (!session.memoryProblem().empty())
        prompter.showMessage("模拟处理器的存储文件无法读取，已使用出厂设置，且退出时不会覆盖该文件：\n" +
                                 session.memoryProblem(),
                             core::Severity::Warning);
    if (traceFile)
        traceFile->onFailure([&] {
            std::cerr << "quorix-console: the trace " << options.trace.toStdString()
                      << " could not be written whole: " << traceFile->failure() << '\n';
            // Told from the event loop: the failed write sits deep inside the link's exchange.
            QMetaObject::invokeMethod(
                &frame,
                [&] {
                    prompter.showMessage("协议跟踪文件无法继续写入，此后的通信不再记录：\n" +
                                             options.trace.toStdString(),
                                         core::Severity::Warning);
                },
                Qt::QueuedConnection);
        });
    // With --room, --venue names the room's venue: that console tunes one room and lists none.
    if (!options.venue.isEmpty() && options.room.isEmpty())
        frame.showVenue(options.venue, options.broker);
    if (!options.file.isEmpty())
        frame.openWhenOnline(std::filesystem::path(options.file.toStdU16String()));
    const int code = app.exec();
    frameWindow = nullptr; // the frame goes before the session, whose backend may still report
    if (traceFile)
        traceFile->onFailure({}); // the windows it would tell go before the link's last words
    return code;
}
