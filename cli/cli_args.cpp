#include "cli_args.h"

#include <algorithm>

namespace quorix::cli {

std::optional<std::string> CliArgs::option(const std::string& name) const
{
    const auto it = options.find(name);
    if (it == options.end())
        return std::nullopt;
    return it->second;
}

CliArgs ParseCliArgs(const std::vector<std::string>& argv, const std::vector<std::string>& valued)
{
    CliArgs args;
    const auto complain = [&](const std::string& text) {
        if (args.problem.empty())
            args.problem = text;
    };
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& word = argv[i];
        if (word.size() > 1 && word[0] == '-') {
            const bool takesValue = std::find(valued.begin(), valued.end(), word) != valued.end();
            if (takesValue && i + 1 == argv.size())
                complain(word + " needs a value");
            if (args.has(word))
                complain(word + " is given twice");
            args.options[word] = takesValue && i + 1 < argv.size() ? argv[++i] : "";
        } else if (args.command.empty()) {
            args.command = word;
        } else {
            args.positional.push_back(word);
        }
    }
    return args;
}

} // namespace quorix::cli
