#pragma once

#include "measure/filter_import.h"

#include <filesystem>
#include <string>

namespace quorix::ui {

// The console's Chinese for an import of the filter file at `path`: the fit band by
// band, or why nothing was imported. Field names and units stay as the tools write them.
std::string FilterImportMessage(const measure::FilterImport& imported, const std::filesystem::path& path);

} // namespace quorix::ui
