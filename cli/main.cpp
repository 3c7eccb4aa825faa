#include "commands.h"

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: quorix-cli COMMAND ...\n"
    "  new -o FILE.quorix     write a configuration holding the default settings\n"
    "  info FILE.quorix       summarise a configuration file\n"
    "  list [--simulator | --simulator-memory FILE] [--wait 0..3600]\n"
    "                         each processor found: path, serial number, variant\n"
    "                         and whether this user can open it\n"
    "  pull [--simulator | --simulator-memory FILE] [--trace FILE] [--wait 0..3600] -o FILE.quorix\n"
    "                         read every parameter of the processor (or of the\n"
    "                         virtual processor, with the memory the console\n"
    "                         keeps in FILE) into a configuration file;\n"
    "                         --wait is how many seconds to look for it (5)\n"
    "  push FILE.quorix [--preset 0..7] [--simulator | --simulator-memory FILE] [--trace FILE] [--wait 0..3600]\n"
    "                         apply a configuration to the processor as the console's\n"
    "                         open does (after recalling --preset), read it back and\n"
    "                         print what differs from the file; exit 1 when anything\n"
    "                         does (the virtual processor's memory FILE is saved back)\n"
    "  response FILE.quorix --kind 0..7 [--mode 0..1] [--third 0..2] [--width 46..20000]\n"
    "                         the page's filter curves as CSV, as the graph draws them\n"
    "  diff A.quorix B.quorix [--mode singing|dance|all] [--kind 0..10]\n"
    "                         the parameters the two files hold differently, one\n"
    "                         line per field, by page; exit 0 the same, 1 different,\n"
    "                         2 bad usage or an unreadable file\n"
    "  export FILE.quorix [--json] [-o FILE.json]\n"
    "                         the configuration as readable JSON (to standard output\n"
    "                         without -o): per page and mode, named parameters with\n"
    "                         their raw fields and display texts\n"
    "  import FILE.json -o FILE.quorix\n"
    "                         the JSON form back into a configuration file; a field\n"
    "                         unknown or out of range is refused with its path\n"
    "  --device PATH          with pull and push: the processor at PATH (from list)\n"
    "                         rather than the first one found\n"
    "  import-filters IN.quorix FILTERS.txt --kind 0..7 [--mode singing|dance] [--third 0..2] -o OUT.quorix\n"
    "                         fit a measurement tool's equaliser filters to the\n"
    "                         page's bands, print the fit, write OUT\n"
    "  report FILE.quorix [--note TEXT] -o REPORT.pdf\n"
    "                         the printable tuning report: a cover, then every\n"
    "                         channel page's graph and parameters\n"
    "  --help                 this text\n"
    "  --version              the version of quorix-cli\n"
    "Numbers are whole decimal numbers within the range shown.\n"
    "Exit status: 0 success; 1 failure (a file that cannot be read, is refused or\n"
    "cannot be written, no processor, a failed synchronisation); 2 usage error\n"
    "(unknown command or option, missing or out-of-range argument).\n";

const std::vector<std::string> kValued = {"-o",     "--trace", "--wait",  "--kind",
                                          "--mode", "--third", "--width", "--simulator-memory",
                                          "--preset", "--device", "--note"};
const std::vector<std::string> kFlags = {"--simulator", "--json", "--help", "-h", "--version"};

} // namespace

int main(int argc, char** argv)
{
    using namespace quorix::cli;
    const std::vector<std::string> words(argv + 1, argv + argc);
    const CliArgs args = ParseCliArgs(words, kValued);
    if (args.has("--help") || args.has("-h") || args.command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (args.has("--version")) {
        std::cout << "quorix-cli " << QUORIX_VERSION << "\n";
        return 0;
    }
    for (const auto& [name, value] : args.options) {
        const bool known = std::find(kValued.begin(), kValued.end(), name) != kValued.end() ||
                           std::find(kFlags.begin(), kFlags.end(), name) != kFlags.end();
        if (!known) {
            std::cerr << "quorix-cli: unknown option " << name << "\n" << kUsage;
            return 2;
        }
    }
    if (args.command == "new")
        return CommandNew(args);
    if (args.command == "info")
        return CommandInfo(args);
    if (args.command == "pull")
        return CommandPull(args);
    if (args.command == "list")
        return CommandList(args);
    if (args.command == "push")
        return CommandPush(args);
    if (args.command == "response")
        return CommandResponse(args);
    if (args.command == "diff")
        return CommandDiff(args);
    if (args.command == "export")
        return CommandExport(args);
    if (args.command == "import")
        return CommandImport(args);
    if (args.command == "import-filters")
        return CommandImportFilters(args);
    if (args.command == "report")
        return CommandReport(args);
    std::cerr << (args.command.empty() ? "quorix-cli: a command is needed\n"
                                       : "quorix-cli: unknown command " + args.command + "\n")
              << kUsage;
    return 2;
}
