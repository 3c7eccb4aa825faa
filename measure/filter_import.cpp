#include "filter_import.h"

#include "band_fit.h"
#include "band_fit_report.h"
#include "filter_text_parser.h"

#include <fstream>
#include <sstream>

namespace quorix::measure {

FilterImport ImportFilters(core::ParamEditor& editor, std::string_view text)
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
    const BandFit fit = FitFilters(editor.store(), editor.view(), parsed.filters);
    result.message = BandFitReport(fit);
    if (!fit.ok())
        return result;
    result.changed = ApplyBandFit(editor, fit, core::ParamEditor::UndoStep::Snapshot);
    result.ok = true;
    return result;
}

FilterImport ImportFilterFile(core::ParamEditor& editor, const std::filesystem::path& path)
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
    return ImportFilters(editor, text.str());
}

} // namespace quorix::measure
