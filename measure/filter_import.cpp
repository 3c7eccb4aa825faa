#include "filter_import.h"

#include "band_fit.h"
#include "band_fit_report.h"
#include "filter_text_parser.h"

#include "core/read_small_file.h"

namespace quorix::measure {

namespace {

// A tool's list of a few dozen filters is a few kilobytes.
constexpr std::uintmax_t kLargestFilterFile = 1024 * 1024;

} // namespace

FilterImport ImportFilters(core::ParamStore& store, const core::ViewState& view, std::string_view text)
{
    FilterImport result;
    const FilterText parsed = ParseFilterText(text);
    if (!parsed.ok()) {
        for (const RefusedLine& r : parsed.refused)
            result.message += "line " + std::to_string(r.line) + ": " + r.reason + "\n";
        result.message += "nothing was imported\n";
        return result;
    }
    if (parsed.filters.empty()) {
        result.message = "no filter switched on was found\n";
        return result;
    }
    const BandFit fit = FitFilters(store, view, parsed.filters);
    result.message = BandFitReport(fit);
    if (!fit.ok())
        return result;
    result.changed = ApplyBandFit(store, view, fit);
    result.ok = true;
    return result;
}

FilterImport ImportFilterFile(core::ParamStore& store, const core::ViewState& view, const std::filesystem::path& path)
{
    const core::SmallFile file = core::ReadSmallFile(path, kLargestFilterFile);
    FilterImport result;
    switch (file.problem) {
    case core::SmallFileProblem::None: return ImportFilters(store, view, file.bytes);
    case core::SmallFileProblem::Unreadable: result.message = "cannot read " + path.string() + "\n"; break;
    case core::SmallFileProblem::NotARegularFile: result.message = path.string() + " is not a regular file\n"; break;
    case core::SmallFileProblem::TooLarge:
        result.message = path.string() + " is larger than any filter list (" + std::to_string(kLargestFilterFile) +
                         " bytes)\n";
        break;
    }
    return result;
}

} // namespace quorix::measure
