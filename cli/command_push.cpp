#include "commands.h"
#include "integer_option.h"
#include "processor_access.h"
#include "push_session.h"
#include "read_configuration.h"

#include "core/config_file.h"

#include <iostream>

namespace quorix::cli {

int CommandPush(const CliArgs& args)
{
    std::string error;
    const auto wait = IntegerOption(args, "--wait", 5, 0, 3600, error);
    const auto preset =
        args.has("--preset") ? IntegerOption(args, "--preset", std::nullopt, 0, 7, error) : std::optional<int>{};
    if (args.positional.size() != 1 && error.empty())
        error = "one configuration file is needed";
    if (!error.empty()) {
        std::cerr << "quorix-cli push: " << error << "\n"
                  << "usage: quorix-cli push FILE.quorix [--preset 0..7] [--simulator | --simulator-memory FILE] "
                     "[--trace FILE] [--wait 0..3600]\n";
        return 2;
    }
    const auto read = ReadConfiguration(args.positional[0]);
    if (!read)
        return 1;
    const core::ParamStore& configuration = *read;
    return WithProcessor(args, "push", true, [&](const ProcessorRun& run) {
        const PushSettings settings{configuration, preset, run.trace, std::int64_t{*wait} * 1000, run.simulator};
        return PushConfiguration(run.backend, run.scheduler, settings, std::cout, std::cerr);
    });
}

} // namespace quorix::cli
