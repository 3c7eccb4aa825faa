#pragma once

#include "core/config_file.h"

#include <string>

namespace quorix::presets {

// The console's message for a configuration file it could not open or save.
std::string ConfigFileMessage(const core::ConfigFileResult& result);
// The console's words for why a file could not be saved.
std::string SaveFailureText(const core::SaveFailure& failure);

} // namespace quorix::presets
