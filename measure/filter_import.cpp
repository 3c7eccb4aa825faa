#include "filter_import.h"

#include "band_fit.h"
#include "band_fit_report.h"
#include "filter_text_parser.h"

#include <fstream>
#include <sstream>

namespace quorix::measure {

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
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (in)
        text << in.rdbuf();
    if (!in || in.bad()) {
        FilterImport result;
        result.message = "cannot read " + path.string() + "\n";
        return result;
    }
    return ImportFilters(store, view, text.str());
}

} // namespace quorix::measure
