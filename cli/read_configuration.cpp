#include "read_configuration.h"

#include "core/config_file.h"

#include <iostream>

namespace quorix::cli {

std::optional<core::ParamStore> ReadConfiguration(const std::string& path)
{
    core::ParamStore store;
    const auto loaded = core::LoadConfigurationFile(path, store);
    if (!loaded.ok) {
        std::cerr << loaded.message << '\n';
        return std::nullopt;
    }
    return store;
}

} // namespace quorix::cli
