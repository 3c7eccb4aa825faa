#include "commands.h"
#include "integer_option.h"
#include "read_configuration.h"
#include "refusal_text.h"

#include "measure/filter_import.h"

#include "core/config_file.h"

#include <iostream>

namespace quorix::cli {

namespace {

constexpr const char* kImportUsage = "usage: quorix-cli import-filters IN.quorix FILTERS.txt --kind 0..7 [--mode "
                                     "singing|dance] [--third 0..2] -o OUT.quorix\n";

std::optional<int> ModeOption(const CliArgs& args, std::string& error)
{
    const std::string mode = args.option("--mode").value_or("singing");
    if (mode == "singing" || mode == "0")
        return 0;
    if (mode == "dance" || mode == "1")
        return 1;
    if (error.empty())
        error = "--mode must be singing or dance";
    return std::nullopt;
}

} // namespace

int CommandImportFilters(const CliArgs& args)
{
    std::string error;
    const auto kind = IntegerOption(args, "--kind", std::nullopt, 0, 7, error);
    const auto third = IntegerOption(args, "--third", 0, 0, 2, error);
    const auto mode = ModeOption(args, error);
    const auto output = args.option("-o");
    if (args.positional.size() != 2 && error.empty())
        error = "a configuration file and a filter file are needed";
    if ((!output || output->empty()) && error.empty())
        error = "-o OUT.quorix is needed";
    if (!error.empty()) {
        std::cerr << "quorix-cli import-filters: " << error << "\n" << kImportUsage;
        return 2;
    }
    auto read = ReadConfiguration(args.positional[0]);
    if (!read)
        return 1;
    core::ParamStore& store = *read;
    core::ViewState view;
    view.currentKind = *kind;
    view.currentMode = static_cast<std::uint8_t>(*mode);
    view.effectsSubPage = static_cast<std::uint8_t>(*third);
    core::NullParamWriter noProcessor;
    core::ParamEditor editor(store, view, noProcessor);
    const measure::FilterImport imported = measure::ImportFilterFile(editor, args.positional[1]);
    const std::string text = measure::FilterImportText(imported, args.positional[1]);
    if (!imported.ok) {
        std::cerr << args.positional[1] << ":\n" << text;
        return 1;
    }
    std::cout << text;
    const auto path = core::WithConfigurationExtension(*output);
    const auto saved = core::SaveConfigurationFile(path, store);
    if (!saved.ok) {
        std::cerr << ConfigFileText(saved) << '\n';
        return 1;
    }
    std::cout << "wrote " << path.string() << '\n';
    return 0;
}

} // namespace quorix::cli
