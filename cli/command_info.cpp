#include "commands.h"
#include "read_configuration.h"

#include "core/config_file.h"
#include "core/store_summary.h"

#include <iostream>

namespace quorix::cli {

int CommandInfo(const CliArgs& args)
{
    if (args.positional.size() != 1) {
        std::cerr << "usage: quorix-cli info FILE.quorix\n";
        return 2;
    }
    const auto image = ReadConfiguration(args.positional[0]);
    if (!image)
        return 1;
    std::cout << args.positional[0] << ": " << core::kConfigFileSize << " bytes, " << core::kRecordCount << " records\n"
              << core::FormatStoreSummary(*image);
    return 0;
}

} // namespace quorix::cli
