#pragma once

#include "core/param_store.h"
#include "core/view_state.h"

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
// stores the result; a refused line or a refused fit leaves the store untouched.
FilterImport ImportFilters(core::ParamStore& store, const core::ViewState& view, std::string_view text);
// The same from a file; a file that cannot be read changes nothing either.
FilterImport ImportFilterFile(core::ParamStore& store, const core::ViewState& view, const std::filesystem::path& path);

} // namespace quorix::measure
