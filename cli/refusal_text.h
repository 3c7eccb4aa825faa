#pragma once

#include "core/config_file.h"
#include "core/record_check.h"

#include <string>

namespace quorix::cli {

// quorix-cli's English for what core reports as data.
std::string RecordFaultText(const core::RecordFault& fault);
std::string ConfigFileText(const core::ConfigFileResult& result);
std::string SaveFailureText(const core::SaveFailure& failure);

} // namespace quorix::cli
