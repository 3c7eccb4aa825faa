#pragma once

#include "core/param_editor.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::measure {

struct FilterImport {
    bool ok = false;
    std::string message;      // the fit report, or why nothing was applied
    std::vector<int> changed; // addresses whose bands changed
};

// Reads the filter text, fits it to the equaliser bands of the page in view and
// edits them through the edit path as one undo step; a refused line or a refused
// fit changes and writes nothing.
FilterImport ImportFilters(core::ParamEditor& editor, std::string_view text);
// The same from a file; a file that cannot be read changes nothing either.
FilterImport ImportFilterFile(core::ParamEditor& editor, const std::filesystem::path& path);

} // namespace quorix::measure
