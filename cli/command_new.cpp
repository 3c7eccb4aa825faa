#include "commands.h"
#include "refusal_text.h"

#include "core/address_map.h"
#include "core/config_file.h"

#include <iostream>

namespace quorix::cli {

int CommandNew(const CliArgs& args)
{
    const auto output = args.option("-o");
    if (!output || output->empty()) {
        std::cerr << "usage: quorix-cli new -o FILE.quorix\n";
        return 2;
    }
    const auto path = core::WithConfigurationExtension(*output);
    const auto result = core::SaveConfigurationFile(path, core::DefaultParamStore());
    if (!result.ok) {
        std::cerr << ConfigFileText(result) << '\n';
        return 1;
    }
    std::cout << "wrote the default configuration to " << path.string() << '\n';
    return 0;
}

} // namespace quorix::cli
