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
    "  pull [--simulator | --simulator-memory FILE] [--trace FILE] [--wait 0..3600] -o FILE.quorix\n"
    "                         read every parameter of the processor (or of the\n"
    "                         virtual processor, with the memory the console\n"
    "                         keeps in FILE) into a configuration file;\n"
    "                         --wait is how many seconds to look for it (5)\n"
    "  response FILE.quorix --kind 0..7 [--mode 0..1] [--third 0..2] [--width 46..20000]\n"
    "                         the page's filter curves as CSV, as the graph draws them\n"
    "  --help                 this text\n"
    "  --version              the version of quorix-cli\n"
    "Numbers are whole decimal numbers within the range shown.\n"
    "Exit status: 0 success; 1 failure (a file that cannot be read, is refused or\n"
    "cannot be written, no processor, a failed synchronisation); 2 usage error\n"
    "(unknown command or option, missing or out-of-range argument).\n";

const std::vector<std::string> kValued = {"-o",     "--trace", "--wait",  "--kind",
                                          "--mode", "--third", "--width", "--simulator-memory"};
const std::vector<std::string> kFlags = {"--simulator", "--help", "-h", "--version"};

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
    if (args.command == "response")
        return CommandResponse(args);
    std::cerr << (args.command.empty() ? "quorix-cli: a command is needed\n"
                                       : "quorix-cli: unknown command " + args.command + "\n")
              << kUsage;
    return 2;
}
