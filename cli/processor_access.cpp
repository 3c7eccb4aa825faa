#include "processor_access.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/chosen_device_backend.h"
#include "link/hidapi_backend.h"
#include "link/qt_scheduler.h"
#include "link/qt_wake_up.h"

#include "core/manual_scheduler.h"

#include <QCoreApplication>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

namespace quorix::cli {

namespace {

// With --device PATH the work sees that device alone.
int RunOn(const CliArgs& args, link::HidBackend& backend, core::Scheduler& scheduler, std::ostream* trace,
          bool simulator, const std::function<int(const ProcessorRun&)>& work)
{
    const auto device = args.option("--device");
    if (!device)
        return work({backend, scheduler, trace, simulator});
    link::ChosenDeviceBackend chosen(backend, *device);
    return work({chosen, scheduler, trace, simulator});
}

} // namespace

int WithProcessor(const CliArgs& args, const char* command, bool saveMemory,
                  const std::function<int(const ProcessorRun&)>& work)
{
    std::unique_ptr<std::ofstream> trace;
    if (const auto path = args.option("--trace")) {
        trace = std::make_unique<std::ofstream>(*path);
        if (!*trace) {
            std::cerr << "cannot write the trace to " << *path << '\n';
            return 1;
        }
    }
    if (args.has("--simulator") || args.has("--simulator-memory")) {
        // The virtual processor needs no real clock: the whole exchange runs in virtual time.
        core::ManualScheduler scheduler;
        sim::VirtualProcessor processor;
        const auto memory = args.option("--simulator-memory");
        // As in the console, a memory file that does not exist yet starts a fresh virtual processor.
        std::error_code missing;
        if (memory && std::filesystem::exists(*memory, missing)) {
            const auto loaded = processor.loadFromFile(*memory);
            if (!loaded.ok) {
                std::cerr << "quorix-cli " << command << ": the virtual processor's memory " << *memory
                          << " cannot be used: " << loaded.message << '\n';
                return 1;
            }
        }
        sim::SimUsbPort port(processor, scheduler);
        const int result = RunOn(args, port, scheduler, trace.get(), true, work);
        if (memory && saveMemory) {
            const auto saved = processor.saveToFile(*memory);
            if (!saved.ok) {
                std::cerr << "quorix-cli " << command << ": " << saved.message << '\n';
                return 1;
            }
        }
        return result;
    }
    int argc = 1;
    char name[] = "quorix-cli";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    link::QtScheduler scheduler;
    link::QtWakeUp wakeUp;
    link::HidapiBackend backend(&wakeUp);
    return RunOn(args, backend, scheduler, trace.get(), false, work);
}

} // namespace quorix::cli
