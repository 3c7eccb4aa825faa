#include "commands.h"

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: quorix-cli COMMAND ...\n"
    "  new -o FILE.quorix     write a configuration holding the default settings\n"
    "  info FILE.quorix       summarise a configuration file\n";

} // namespace

int main(int argc, char** argv)
{
    using namespace quorix::cli;
    const std::vector<std::string> words(argv + 1, argv + argc);
    const CliArgs args = ParseCliArgs(words, {"-o", "--trace"});
    if (args.command == "new")
        return CommandNew(args);
    if (args.command == "info")
        return CommandInfo(args);
    std::cerr << kUsage;
    return 2;
}
