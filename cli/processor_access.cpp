#include "processor_access.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/chosen_device_backend.h"
#include "link/hidapi_backend.h"
#include "link/qt_scheduler.h"
#include "link/qt_wake_up.h"
#include "link/trace_file.h"

#include "core/config_file.h"
#include "core/manual_scheduler.h"

#include <QCoreApplication>

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

namespace quorix::cli {

namespace {

namespace fs = std::filesystem;

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

// Which of the command's own files `trace` names, if any: a trace written over
// the configuration being pushed or pulled, or the processor's memory, would
// destroy it.
std::optional<std::string> OwnFileNamed(const CliArgs& args, const std::string& trace)
{
    const auto same = [&](const fs::path& file) {
        std::error_code error;
        if (fs::equivalent(trace, file, error))
            return true;
        std::error_code other;
        return fs::weakly_canonical(trace, error) == fs::weakly_canonical(file, other) && !error && !other;
    };
    if (const auto output = args.option("-o");
        output && (same(*output) || same(core::WithConfigurationExtension(*output))))
        return "output file";
    for (const std::string& input : args.positional)
        if (same(input))
            return "input file";
    if (const auto memory = args.option("--simulator-memory"); memory && same(*memory))
        return "virtual processor's memory";
    return std::nullopt;
}

} // namespace

int WithProcessor(const CliArgs& args, const char* command, bool saveMemory,
                  const std::function<int(const ProcessorRun&)>& work)
{
    const std::string prefix = std::string("quorix-cli ") + command + ": ";
    const bool simulated = args.has("--simulator") || args.has("--simulator-memory");
    const auto memory = args.option("--simulator-memory");
    // Checked before any file is written: only a memory file that does not exist yet means a fresh processor.
    sim::VirtualProcessor processor;
    if (memory) {
        const auto loaded = processor.loadFromFile(*memory);
        if (!loaded.ok && !loaded.absent) {
            std::cerr << prefix << "the virtual processor's memory cannot be used: " << loaded.message << '\n';
            return 1;
        }
    }
    std::unique_ptr<link::TraceFile> trace;
    if (const auto path = args.option("--trace")) {
        if (const auto own = OwnFileNamed(args, *path)) {
            std::cerr << prefix << "--trace " << *path << " names the command's " << *own
                      << "; the trace needs a file of its own\n";
            return 2;
        }
        std::string problem;
        trace = link::TraceFile::open(*path, problem);
        if (!trace) {
            std::cerr << prefix << "cannot write the trace to " << *path << ": " << problem << '\n';
            return 1;
        }
    }
    int result = 0;
    if (simulated) {
        // The virtual processor needs no real clock: the whole exchange runs in virtual time.
        core::ManualScheduler scheduler;
        sim::SimUsbPort port(processor, scheduler);
        result = RunOn(args, port, scheduler, trace ? &trace->stream() : nullptr, true, work);
        if (memory && saveMemory) {
            const auto saved = processor.saveToFile(*memory);
            if (!saved.ok) {
                std::cerr << prefix << saved.message << '\n';
                result = 1;
            }
        }
    } else {
        int argc = 1;
        char name[] = "quorix-cli";
        char* argv[] = {name, nullptr};
        QCoreApplication app(argc, argv);
        link::QtScheduler scheduler;
        link::QtWakeUp wakeUp;
        link::HidapiBackend backend(&wakeUp);
        result = RunOn(args, backend, scheduler, trace ? &trace->stream() : nullptr, false, work);
    }
    if (trace && !trace->close()) {
        std::cerr << prefix << "the trace " << *args.option("--trace")
                  << " could not be written whole: " << trace->failure() << '\n';
        return 1;
    }
    return result;
}

} // namespace quorix::cli
