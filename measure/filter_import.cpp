#include "filter_import.h"

#include "band_fit_report.h"

#include "platform/utf8_path.h"

namespace quorix::measure {

namespace {

// A tool's list of a few dozen filters is a few kilobytes.
constexpr std::uintmax_t kLargestFilterFile = 1024 * 1024;

} // namespace

FilterImport ImportFilters(core::ParamEditor& editor, std::string_view text)
{
    FilterImport result;
    FilterText parsed = ParseFilterText(text);
    if (!parsed.ok()) {
        result.refused = std::move(parsed.refused);
        return result;
    }
    if (parsed.filters.empty()) {
        result.noFilterOn = true;
        return result;
    }
    result.fit = FitFilters(editor.store(), editor.view(), parsed.filters);
    if (!result.fit.ok())
        return result;
    result.changed = ApplyBandFit(editor, result.fit, core::ParamEditor::UndoStep::Snapshot);
    result.ok = true;
    return result;
}

FilterImport ImportFilterFile(core::ParamEditor& editor, const std::filesystem::path& path)
{
    const core::SmallFile file = core::ReadSmallFile(path, kLargestFilterFile);
    if (file.problem == core::SmallFileProblem::None)
        return ImportFilters(editor, file.bytes);
    FilterImport result;
    result.fileProblem = file.problem;
    return result;
}

std::string FilterImportText(const FilterImport& imported, const std::filesystem::path& path)
{
    const std::string name = platform::PathToUtf8(path);
    switch (imported.fileProblem) {
    case core::SmallFileProblem::None:
        break;
    case core::SmallFileProblem::Unreadable:
        return "cannot read " + name + "\n";
    case core::SmallFileProblem::NotARegularFile:
        return name + " is not a regular file\n";
    case core::SmallFileProblem::TooLarge:
        return name + " is larger than any filter list (" + std::to_string(kLargestFilterFile) + " bytes)\n";
    }
    if (!imported.refused.empty()) {
        std::string text;
        for (const RefusedLine& r : imported.refused)
            text += "line " + std::to_string(r.line) + ": " + LineProblemText(r) + "\n";
        return text + "nothing was imported\n";
    }
    if (imported.noFilterOn)
        return "no filter switched on was found\n";
    return BandFitReport(imported.fit);
}

} // namespace quorix::measure
