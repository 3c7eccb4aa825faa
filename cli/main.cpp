#include "command_spec.h"
#include "valid_utf8_buffer.h"

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
    "                         read what the processor's block transfers carry (or\n"
    "                         the virtual processor's, with its memory in FILE,\n"
    "                         created when missing) into a configuration file;\n"
    "                         --wait is how many seconds to look for it (5)\n"
    "  push FILE.quorix [--preset 0..7] [--simulator | --simulator-memory FILE] [--trace FILE] [--wait 0..3600]\n"
    "                         apply a configuration to the processor as the console's\n"
    "                         open does (after recalling --preset), read it back and\n"
    "                         print what differs from the file; exit 1 when anything\n"
    "                         does (the virtual processor's memory FILE is saved back)\n"
    "                         Pull and push name what the transfer leaves out: the\n"
    "                         pages Mic34, SurroundOutput, CentreOutput, RecordRight\n"
    "                         and the dance set of the mode-dependent pages\n"
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
    "                         unknown, repeated or out of range is refused with its path\n"
    "  --device PATH          with pull, push and doctor: the processor at PATH (from list)\n"
    "                         rather than the first one found\n"
    "  import-filters IN.quorix FILTERS.txt --kind 0..7 [--mode singing|dance] [--third 0..2] -o OUT.quorix\n"
    "                         fit a measurement tool's equaliser filters to the\n"
    "                         page's bands, print the fit, write OUT\n"
    "  report FILE.quorix [--note TEXT] -o REPORT.pdf\n"
    "                         the printable tuning report: a cover, then every\n"
    "                         channel page's graph and parameters\n"
    "  venue list|push FILE.quorix|recall 0..7 --venue NAME [--rooms A,B,..] [--broker URL]\n"
    "        [--username NAME --password-file FILE] [--ca-file FILE] [--preset 0..7] [--wait 1..3600]\n"
    "                         over the venue's MQTT broker: each room's state, or a\n"
    "                         push or recall on the rooms named, one result per room;\n"
    "                         exit 1 unless every room answered that it was done\n"
    "  doctor [--device PATH | --simulator | --simulator-memory FILE] [--trace FILE] [-o BUNDLE.zip]\n"
    "                         list the processors with whether this user can open\n"
    "                         them, then probe the first that opens without writing\n"
    "                         to it: one line per assumption with its verdict and the\n"
    "                         bytes that decided it; exit 0 all hold, 1 one does not;\n"
    "                         -o writes the support bundle\n"
    "  --help                 this text\n"
    "  --version              the version of quorix-cli\n"
    "Numbers are whole decimal numbers within the range shown.\n"
    "Exit status: 0 success; 1 failure (a file that cannot be read, is refused or\n"
    "cannot be written, no processor, a failed synchronisation); 2 usage error\n"
    "(unknown command or option, an option given twice or not taken by the command,\n"
    "a missing or out-of-range argument, an extra word).\n";

int Run(const std::vector<std::string>& words)
{
    using namespace quorix::cli;
    const CliArgs args = ParseCliArgs(words, ValuedOptions());
    if (args.has("--help") || args.has("-h") || args.command == "help") {
        std::cout << kUsage;
        return 0;
    }
    if (args.has("--version")) {
        std::cout << "quorix-cli " << QUORIX_VERSION << "\n";
        return 0;
    }
    for (const auto& [name, value] : args.options) {
        // A structured binding is captured by name: clang before 16 cannot capture it otherwise.
        const auto known = [&name = name](const std::vector<std::string>& list) {
            return std::find(list.begin(), list.end(), name) != list.end();
        };
        if (!known(ValuedOptions()) && !known(FlagOptions())) {
            std::cerr << "quorix-cli: unknown option " << name << "\n" << kUsage;
            return 2;
        }
    }
    for (const CommandSpec& command : Commands()) {
        if (args.command != command.name)
            continue;
        if (const std::string problem = UsageProblem(args, command); !problem.empty()) {
            std::cerr << "quorix-cli " << command.name << ": " << problem << "\n" << kUsage;
            return 2;
        }
        return command.run(args);
    }
    std::cerr << (args.command.empty() ? "quorix-cli: a command is needed\n"
                                       : "quorix-cli: unknown command " + args.command + "\n")
              << kUsage;
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    // Messages quote file names and file contents: what reaches the terminal is UTF-8 all the same.
    quorix::cli::ValidUtf8Buffer out(*std::cout.rdbuf());
    quorix::cli::ValidUtf8Buffer err(*std::cerr.rdbuf());
    std::streambuf* const standardOut = std::cout.rdbuf(&out);
    std::streambuf* const standardError = std::cerr.rdbuf(&err);
    const int code = Run(std::vector<std::string>(argv + 1, argv + argc));
    std::cout.flush();
    std::cout.rdbuf(standardOut);
    std::cerr.rdbuf(standardError);
    return code;
}
