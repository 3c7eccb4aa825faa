#include "commands.h"
#include "integer_option.h"
#include "pull_session.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/hidapi_backend.h"
#include "link/qt_scheduler.h"

#include "core/config_file.h"
#include "core/manual_scheduler.h"

#include <QCoreApplication>

#include <fstream>
#include <iostream>
#include <memory>

namespace quorix::cli {

int CommandPull(const CliArgs& args)
{
    std::string error;
    const auto output = args.option("-o");
    const auto wait = IntegerOption(args, "--wait", 5, 0, 3600, error);
    if ((!output || output->empty()) && error.empty())
        error = "-o FILE.quorix is needed";
    if (!error.empty()) {
        std::cerr << "quorix-cli pull: " << error << "\n"
                  << "usage: quorix-cli pull [--simulator | --simulator-memory FILE] [--trace FILE] [--wait 0..3600] "
                     "-o FILE.quorix\n";
        return 2;
    }

    std::unique_ptr<std::ofstream> trace;
    if (const auto path = args.option("--trace")) {
        trace = std::make_unique<std::ofstream>(*path);
        if (!*trace) {
            std::cerr << "cannot write the trace to " << *path << '\n';
            return 1;
        }
    }
    const PullSettings settings{core::WithConfigurationExtension(*output), trace.get(), std::int64_t{*wait} * 1000,
                                args.has("--simulator") || args.has("--simulator-memory")};

    if (settings.simulator) {
        // The virtual processor needs no real clock: the whole exchange runs in virtual time.
        core::ManualScheduler scheduler;
        sim::VirtualProcessor processor;
        if (const auto memory = args.option("--simulator-memory")) {
            const auto loaded = processor.loadFromFile(*memory);
            if (!loaded.ok) {
                std::cerr << "quorix-cli pull: the virtual processor's memory " << *memory
                          << " cannot be used: " << loaded.message << '\n';
                return 1;
            }
        }
        sim::SimUsbPort port(processor, scheduler);
        return PullConfiguration(port, scheduler, settings, std::cout, std::cerr);
    }
    int argc = 1;
    char name[] = "quorix-cli";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    link::QtScheduler scheduler;
    link::HidapiBackend backend;
    return PullConfiguration(backend, scheduler, settings, std::cout, std::cerr);
}

} // namespace quorix::cli
