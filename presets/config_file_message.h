#pragma once

#include "core/config_file.h"

#include <string>

namespace quorix::presets {

// The console's message for a configuration file it could not open or save.
std::string ConfigFileMessage(const core::ConfigFileResult& result);

} // namespace quorix::presets
