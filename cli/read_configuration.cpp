#include "read_configuration.h"
#include "refusal_text.h"

#include "core/config_file.h"

#include <iostream>

namespace quorix::cli {

std::optional<core::ParamStore> ReadConfiguration(const std::string& path)
{
    core::ParamStore store;
    const auto loaded = core::LoadConfigurationFile(path, store);
    if (!loaded.ok) {
        std::cerr << ConfigFileText(loaded) << '\n';
        return std::nullopt;
    }
    return store;
}

} // namespace quorix::cli
