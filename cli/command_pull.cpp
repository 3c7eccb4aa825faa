#include "commands.h"
#include "integer_option.h"
#include "processor_access.h"
#include "pull_session.h"

#include "core/config_file.h"

#include <iostream>

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
    return WithProcessor(args, "pull", true, [&](const ProcessorRun& run) {
        const PullSettings settings{core::WithConfigurationExtension(*output), run.trace, std::int64_t{*wait} * 1000,
                                    run.simulator};
        return PullConfiguration(run.backend, run.scheduler, settings, std::cout, std::cerr);
    });
}

} // namespace quorix::cli
