#include "commands.h"
#include "config_json.h"
#include "read_configuration.h"
#include "refusal_text.h"

#include "core/atomic_save.h"
#include "core/config_file.h"
#include "core/read_small_file.h"

#include <iostream>

namespace quorix::cli {

namespace {

// The export of a configuration whose every record holds every field is under 5 MB;
// the cap leaves room for a hand-edited file laid out more loosely.
constexpr std::uintmax_t kLargestJson = 16 * 1024 * 1024;

} // namespace

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
    if (const core::SaveFailure failure = core::SaveAtomically(*out, bytes); failure.failed()) {
        std::cerr << "cannot save " << *out << ": " << SaveFailureText(failure) << '\n';
        return 1;
    }
    return 0;
}

int CommandImport(const CliArgs& args)
{
    const auto out = args.option("-o");
    if (args.positional.size() != 1 || !out || out->empty()) {
        std::cerr << "quorix-cli import: a JSON file and -o FILE.quorix are needed\n"
                  << "usage: quorix-cli import FILE.json -o FILE.quorix\n";
        return 2;
    }
    const std::string& source = args.positional[0];
    const core::SmallFile file = core::ReadSmallFile(source, kLargestJson);
    switch (file.problem) {
    case core::SmallFileProblem::None:
        break;
    case core::SmallFileProblem::Unreadable:
        std::cerr << source << ": cannot be read\n";
        return 1;
    case core::SmallFileProblem::NotARegularFile:
        std::cerr << source << ": not a regular file\n";
        return 1;
    case core::SmallFileProblem::TooLarge:
        std::cerr << source << ": larger than any configuration's JSON (" << kLargestJson << " bytes)\n";
        return 1;
    }
    core::ParamStore store;
    const JsonImport imported = ConfigurationFromJson(file.bytes, store);
    if (!imported.ok) {
        std::cerr << source << ": " << imported.message << '\n';
        return 1;
    }
    const auto saved = core::SaveConfigurationFile(core::WithConfigurationExtension(*out), store);
    if (!saved.ok) {
        std::cerr << ConfigFileText(saved) << '\n';
        return 1;
    }
    return 0;
}

} // namespace quorix::cli
