#include "commands.h"
#include "integer_option.h"
#include "read_configuration.h"

#include "graph/response_csv.h"

#include "core/config_file.h"

#include <iostream>
#include <string>

namespace quorix::cli {

int CommandResponse(const CliArgs& args)
{
    std::string error;
    const auto kind = IntegerOption(args, "--kind", std::nullopt, 0, 7, error);
    const auto mode = IntegerOption(args, "--mode", 0, 0, 1, error);
    const auto third = IntegerOption(args, "--third", 0, 0, 2, error);
    const auto width = IntegerOption(args, "--width", 1920, 46, 20000, error);
    if (args.positional.size() != 1 && error.empty())
        error = "one configuration file is needed";
    if (!error.empty()) {
        std::cerr
            << "quorix-cli response: " << error << "\n"
            << "usage: quorix-cli response FILE.quorix --kind 0..7 [--mode 0..1] [--third 0..2] [--width 46..20000]\n";
        return 2;
    }
    const auto store = ReadConfiguration(args.positional[0]);
    if (!store)
        return 1;
    core::ViewState view;
    view.currentKind = *kind;
    view.currentMode = static_cast<std::uint8_t>(*mode);
    view.effectsSubPage = static_cast<std::uint8_t>(*third);
    std::cout << graph::ResponseCsv(*store, view, *width);
    return 0;
}

} // namespace quorix::cli
