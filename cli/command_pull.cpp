#include "cli_host.h"
#include "commands.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/device_link.h"
#include "link/hidapi_backend.h"
#include "link/qt_scheduler.h"

#include "core/address_map.h"
#include "core/config_file.h"
#include "core/number_text.h"

#include <QCoreApplication>

#include <fstream>
#include <iostream>
#include <memory>

namespace quorix::cli {

namespace {

constexpr const char* kPresetNames[] = {"KTV", "PRO", "SPCH", "USER1", "USER2", "USER3", "USER4", "USER5"};

} // namespace

int CommandPull(const CliArgs& args)
{
    const auto output = args.option("-o");
    const auto wait = core::ParseNumber(args.option("--wait").value_or("5"));
    if (!output || output->empty() || !wait || *wait < 0 || *wait > 3600) {
        std::cerr << "usage: quorix-cli pull [--simulator] [--trace FILE] [--wait SECONDS] -o FILE.quorix\n";
        return 2;
    }
    const auto searchLimitMs = static_cast<std::int64_t>(*wait * 1000);
    int argc = 1;
    char name[] = "quorix-cli";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    link::QtScheduler scheduler;

    std::unique_ptr<std::ofstream> trace;
    if (const auto path = args.option("--trace")) {
        trace = std::make_unique<std::ofstream>(*path);
        if (!*trace) {
            std::cerr << "cannot write the trace to " << *path << '\n';
            return 1;
        }
    }

    sim::VirtualProcessor processor;
    std::unique_ptr<link::HidBackend> backend;
    if (args.has("--simulator"))
        backend = std::make_unique<sim::SimUsbPort>(processor, scheduler);
    else
        backend = std::make_unique<link::HidapiBackend>();

    core::ParamStore store;
    core::ParamStore image;
    core::ViewState view;
    core::DigitBuffer digits;
    core::InitParamStore(store, image);
    CliHost host(std::cerr);
    link::DeviceLink device(*backend, scheduler, {store, image, view, digits}, host, trace.get());
    device.start();

    const auto started = scheduler.nowMs();
    while (!host.synchronisation()) {
        if (!device.LinkOnline() && !device.ReplyWaitActive() && scheduler.nowMs() - started > searchLimitMs) {
            std::cerr << "no processor answered within " << searchLimitMs / 1000 << " s"
                      << (args.has("--simulator") ? "" : " (is it plugged in, and may this user open its hidraw node?)")
                      << '\n';
            return 1;
        }
        scheduler.processPendingEvents();
    }
    device.stop();
    if (!*host.synchronisation()) {
        std::cerr << "the synchronisation with the processor failed; nothing was written\n";
        return 1;
    }

    const auto path = core::WithConfigurationExtension(*output);
    const auto saved = core::SaveConfigurationFile(path, store);
    if (!saved.ok) {
        std::cerr << saved.message << '\n';
        return 1;
    }
    const int preset = view.CurrentPreset;
    std::cout << "pulled preset " << (preset < 8 ? kPresetNames[preset] : "?") << " (" << preset
              << ") from the processor into " << path.string() << '\n';
    return 0;
}

} // namespace quorix::cli
