#include "graph_actions.h"

#include "console_services.h"
#include "filter_import_wording.h"

#include "graph/response_csv.h"

#include "measure/filter_import.h"

#include "report/tuning_report.h"

#include "presets/config_file_message.h"

#include "platform/utf8_path.h"

#include "link/device_link.h"

#include "core/atomic_save.h"
#include "core/param_editor.h"
#include "core/param_store.h"
#include "core/preset_name.h"
#include "core/prompter.h"
#include "core/view_state.h"

#include <QBuffer>
#include <QDateTime>

#include <cstdint>
#include <span>

namespace quorix::ui {

namespace {

constexpr std::string_view kPageLocked = "自动模式控制正在掌管本页的均衡，不能导入滤波器。";
constexpr std::string_view kReportNotDrawn = "无法生成报告。";

std::string CannotSave(const std::filesystem::path& file, const core::SaveFailure& failure)
{
    return "无法保存文件：" + platform::PathToUtf8(file) + "\n" + presets::SaveFailureText(failure);
}

// run() finds an action's entry by its value.
static_assert([] {
    for (std::size_t i = 0; i < std::size(kGraphMenu); ++i)
        if (static_cast<std::size_t>(kGraphMenu[i].action) != i)
            return false;
    return true;
}());

} // namespace

std::filesystem::path WithFilterExtension(std::filesystem::path chosen, std::string_view filter)
{
    const std::size_t star = filter.find("*.");
    if (chosen.has_extension() || star == std::string_view::npos)
        return chosen;
    const std::string_view extension = filter.substr(star + 1, filter.find_first_of(" ;)", star) - star - 1);
    chosen += std::string(extension);
    return chosen;
}

GraphActions::GraphActions(ConsoleServices& services, core::ParamEditor& edits, core::Prompter& prompter,
                           GraphView view)
    : m_services(services), m_edits(edits), m_prompter(prompter), m_view(std::move(view))
{}

void GraphActions::run(GraphAction action)
{
    const GraphMenuEntry& entry = kGraphMenu[static_cast<std::size_t>(action)];
    auto file = m_prompter.askFile({entry.text, entry.filter, entry.save});
    if (!file)
        return;
    if (entry.save)
        file = WithFilterExtension(*file, entry.filter);
    switch (action) {
    case GraphAction::ImportFilters:
        importFilters(*file);
        break;
    case GraphAction::SavePicture:
        savePicture(*file);
        break;
    case GraphAction::SaveCurves:
        saveCurves(*file);
        break;
    case GraphAction::PrintReport:
        printReport(*file);
        break;
    }
}

bool GraphActions::importFilters(const std::filesystem::path& file)
{
    if (m_view.locked()) {
        m_prompter.showMessage(kPageLocked, core::Severity::Warning);
        return false;
    }
    // A refused file leaves neither a change nor an undo step behind.
    const measure::FilterImport imported = measure::ImportFilterFile(m_edits, file);
    if (!imported.ok) {
        m_prompter.showMessage(FilterImportMessage(imported, file), core::Severity::Warning);
        return false;
    }
    m_prompter.showMessage(FilterImportMessage(imported, file), core::Severity::Information);
    return true;
}

bool GraphActions::saveBytes(const std::filesystem::path& file, std::string_view bytes)
{
    const core::SaveFailure failure =
        core::SaveAtomically(file, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    if (failure.failed())
        m_prompter.showMessage(CannotSave(file, failure), core::Severity::Warning);
    return !failure.failed();
}

bool GraphActions::savePicture(const std::filesystem::path& file)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    m_view.picture(2).save(&buffer, "PNG");
    return saveBytes(file, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}

bool GraphActions::saveCurves(const std::filesystem::path& file)
{
    return saveBytes(file, graph::ResponseCsv(m_services.store(), m_services.view(), m_view.width()));
}

bool GraphActions::printReport(const std::filesystem::path& file)
{
    report::ReportCover cover;
    cover.when = QDateTime::currentDateTime();
    cover.source = m_services.link().online() ? QStringLiteral("处理器") : QStringLiteral("控制台当前设置");
    cover.preset = QString::fromStdString(core::PresetName(m_services.view().currentPreset));
    cover.record = &m_services.record();
    const report::ReportWritten written = report::WriteTuningReport(file, m_services.store(), cover);
    if (!written.drawn)
        m_prompter.showMessage(kReportNotDrawn, core::Severity::Warning);
    else if (written.save.failed())
        m_prompter.showMessage(CannotSave(file, written.save), core::Severity::Warning);
    return written.ok();
}

} // namespace quorix::ui
