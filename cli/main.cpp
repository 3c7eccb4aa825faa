#include "commands.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: quorix-cli COMMAND ...\n"
    "  new -o FILE.quorix     write a configuration holding the default settings\n"
    "  info FILE.quorix       summarise a configuration file\n"
    "  pull [--simulator] [--trace FILE] [--wait SECONDS] -o FILE.quorix\n"
    "                         read every parameter of the processor (or of the\n"
    "                         virtual processor) into a configuration file\n"
    "  response FILE.quorix --kind K [--mode M] [--third T] [--width W]\n"
    "                         the page's filter curves as CSV, as the graph draws them\n";

} // namespace

int main(int argc, char** argv)
{
    using namespace quorix::cli;
    const std::vector<std::string> words(argv + 1, argv + argc);
    const CliArgs args = ParseCliArgs(words, {"-o", "--trace", "--wait", "--kind", "--mode", "--third", "--width"});
    if (args.command == "new")
        return CommandNew(args);
    if (args.command == "info")
        return CommandInfo(args);
    if (args.command == "pull")
        return CommandPull(args);
    if (args.command == "response")
        return CommandResponse(args);
    std::cerr << kUsage;
    return 2;
}
