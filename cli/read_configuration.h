#pragma once

#include "core/param_store.h"

#include <optional>
#include <string>

namespace quorix::cli {

// The configuration file at `path`, or nothing after its refusal was printed to standard error.
std::optional<core::ParamStore> ReadConfiguration(const std::string& path);

} // namespace quorix::cli
