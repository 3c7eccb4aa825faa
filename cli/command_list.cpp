#include "cli_link.h"
#include "commands.h"
#include "integer_option.h"
#include "processor_access.h"

#include "link/chosen_device_backend.h"

#include <iostream>

namespace quorix::cli {

namespace {

// The variant the processor reports in its handshake, '?' when it does not answer.
char AskVariant(const ProcessorRun& run, const std::string& path, std::int64_t waitMs)
{
    link::ChosenDeviceBackend chosen(run.backend, path);
    std::ostream quiet(nullptr);
    CliLink link(chosen, run.scheduler, run.trace, quiet);
    if (!link.connect(waitMs, run.simulator))
        return '?';
    link.device().stop();
    return link.device().state().deviceVariantFlag ? '3' : '1';
}

} // namespace

int CommandList(const CliArgs& args)
{
    std::string error;
    const auto wait = IntegerOption(args, "--wait", 5, 0, 3600, error);
    if (!args.positional.empty() && error.empty())
        error = "list takes no file";
    if (!error.empty()) {
        std::cerr << "quorix-cli list: " << error << "\n"
                  << "usage: quorix-cli list [--simulator | --simulator-memory FILE] [--wait 0..3600]\n";
        return 2;
    }
    return WithProcessor(args, "list", false, [&](const ProcessorRun& run) {
        std::string failure;
        const auto paths = run.backend.enumerate(link::kProcessorVendorId, link::kProcessorProductId, &failure);
        if (paths.empty()) {
            std::cerr << "no processor found" << (failure.empty() ? "" : " (" + failure + ")") << '\n';
            return 1;
        }
        for (const std::string& path : paths) {
            const bool opens = run.backend.open(path) != nullptr;
            const std::string serial = run.backend.serialNumber(path);
            const char variant = opens ? AskVariant(run, path, std::int64_t{*wait} * 1000) : '?';
            std::cout << "path=" << path << " serial=" << (serial.empty() ? "-" : serial) << " variant=" << variant
                      << " open=" << (opens ? "yes" : "no") << '\n';
        }
        return 0;
    });
}

} // namespace quorix::cli
