#include "commands.h"
#include "read_configuration.h"
#include "config_json.h"

#include "refusal_text.h"

#include "core/atomic_save.h"
#include "core/config_file.h"

#include <fstream>
#include <iostream>
#include <iterator>

namespace quorix::cli {

int CommandExport(const CliArgs& args)
{
    if (args.positional.size() != 1) {
        std::cerr << "quorix-cli export: one configuration file is needed\n"
                  << "usage: quorix-cli export FILE.quorix [--json] [-o FILE.json]\n";
        return 2;
    }
    const auto store = ReadConfiguration(args.positional[0]);
    if (!store)
        return 1;
    const std::string json = ConfigurationToJson(*store);
    const auto out = args.option("-o");
    if (!out) {
        std::cout << json;
        return 0;
    }
    const std::vector<std::uint8_t> bytes(json.begin(), json.end());
    if (const std::string problem = core::SaveAtomically(*out, bytes); !problem.empty()) {
        std::cerr << problem << '\n';
        return 1;
    }
    return 0;
}

int CommandImport(const CliArgs& args)
{
    const auto out = args.option("-o");
    if (args.positional.size() != 1 || !out) {
        std::cerr << "quorix-cli import: a JSON file and -o FILE.quorix are needed\n"
                  << "usage: quorix-cli import FILE.json -o FILE.quorix\n";
        return 2;
    }
    std::ifstream in(args.positional[0], std::ios::binary);
    if (!in) {
        std::cerr << args.positional[0] << ": cannot be read\n";
        return 1;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    core::ParamStore store;
    const JsonImport imported = ConfigurationFromJson(text, store);
    if (!imported.ok) {
        std::cerr << args.positional[0] << ": " << imported.message << '\n';
        return 1;
    }
    const auto saved = core::SaveConfigurationFile(*out, store);
    if (!saved.ok) {
        std::cerr << ConfigFileText(saved) << '\n';
        return 1;
    }
    return 0;
}

} // namespace quorix::cli
