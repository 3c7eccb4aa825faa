#include "commands.h"
#include "read_configuration.h"
#include "refusal_text.h"

#include "report/tuning_report.h"

#include "core/config_file.h"

#include <QGuiApplication>

#include <filesystem>
#include <iostream>
#include <memory>

namespace quorix::cli {

int CommandReport(const CliArgs& args)
{
    const auto output = args.option("-o");
    if (args.positional.size() != 1 || !output || output->empty()) {
        std::cerr << "usage: quorix-cli report FILE.quorix [--note TEXT] -o REPORT.pdf\n";
        return 2;
    }
    const auto read = ReadConfiguration(args.positional[0]);
    if (!read)
        return 1;
    const core::ParamStore& store = *read;
    // Fonts need a GUI application; without a display it draws offscreen.
    std::unique_ptr<QGuiApplication> application;
    if (!QGuiApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "quorix-cli";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    report::ReportCover cover;
    cover.when = QDateTime::currentDateTime();
    cover.source = QString::fromStdString(std::filesystem::path(args.positional[0]).filename().string());
    cover.preset = QStringLiteral("—");
    cover.note = QString::fromStdString(args.option("--note").value_or(""));
    const report::ReportWritten written = report::WriteTuningReport(*output, store, cover);
    if (!written.drawn) {
        std::cerr << "cannot draw the report\n";
        return 1;
    }
    if (written.save.failed()) {
        std::cerr << "cannot write " << *output << ": " << SaveFailureText(written.save) << '\n';
        return 1;
    }
    std::cout << "wrote " << *output << '\n';
    return 0;
}

} // namespace quorix::cli
