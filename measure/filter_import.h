#pragma once

#include "band_fit.h"
#include "filter_text_parser.h"

#include "core/param_editor.h"
#include "core/read_small_file.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::measure {

// What became of an import, as data: the console and quorix-cli each word it.
// Nothing is applied unless every step before the fit passed and the fit is ok.
struct FilterImport {
    bool ok = false;
    core::SmallFileProblem fileProblem = core::SmallFileProblem::None;
    std::vector<RefusedLine> refused; // lines that could not be read: nothing was imported
    bool noFilterOn = false;          // every line was read, and none held a filter switched on
    BandFit fit;                      // when the filters came as far as the bands
    std::vector<int> changed;         // addresses whose bands changed
};

// Reads the filter text, fits it to the equaliser bands of the page in view and
// edits them through the edit path as one undo step; a refused line or a refused
// fit changes and writes nothing.
FilterImport ImportFilters(core::ParamEditor& editor, std::string_view text);
// The same from a file; a file that cannot be read changes nothing either.
FilterImport ImportFilterFile(core::ParamEditor& editor, const std::filesystem::path& path);

// quorix-cli's English for an import of the file at `path`.
std::string FilterImportText(const FilterImport& imported, const std::filesystem::path& path);

} // namespace quorix::measure
