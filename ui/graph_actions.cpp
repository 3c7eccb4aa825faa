#include "graph_actions.h"

#include "console_services.h"
#include "prompter.h"

#include "graph/response_csv.h"

#include "measure/filter_import.h"

#include "report/tuning_report.h"

#include "link/device_link.h"

#include "core/atomic_save.h"
#include "core/param_editor.h"
#include "core/param_store.h"
#include "core/preset_name.h"
#include "core/view_state.h"

#include <QBuffer>
#include <QDateTime>

#include <cstdint>
#include <span>

namespace quorix::ui {

namespace {

constexpr std::string_view kPageLocked = "自动模式控制正在掌管本页的均衡，不能导入滤波器。";

// run() finds an action's entry by its value.
static_assert([] {
    for (std::size_t i = 0; i < std::size(kGraphMenu); ++i)
        if (static_cast<std::size_t>(kGraphMenu[i].action) != i)
            return false;
    return true;
}());

} // namespace

GraphActions::GraphActions(ConsoleServices& services, core::ParamEditor& edits, Prompter& prompter, GraphView view)
    : m_services(services), m_edits(edits), m_prompter(prompter), m_view(std::move(view))
{
}

void GraphActions::run(GraphAction action)
{
    const GraphMenuEntry& entry = kGraphMenu[static_cast<std::size_t>(action)];
    const auto file = m_prompter.askFile(entry.text, entry.filter, entry.save);
    if (!file)
        return;
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
        m_prompter.showMessage(kPageLocked, MessageIcon::Exclamation);
        return false;
    }
    // A refused file leaves neither a change nor an undo step behind.
    const measure::FilterImport imported = measure::ImportFilterFile(m_edits, file);
    if (!imported.ok) {
        m_prompter.showMessage(imported.message, MessageIcon::Exclamation);
        return false;
    }
    if (!imported.changed.empty())
        m_view.refreshControls();
    m_prompter.showMessage(imported.message, MessageIcon::Information);
    return true;
}

bool GraphActions::saveBytes(const std::filesystem::path& file, std::string_view bytes)
{
    const std::string problem = core::SaveAtomically(
        file, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    if (!problem.empty())
        m_prompter.showMessage(problem, MessageIcon::Exclamation);
    return problem.empty();
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
    cover.source = m_services.link().LinkOnline() ? QStringLiteral("处理器") : QStringLiteral("控制台当前设置");
    cover.preset = QString::fromStdString(core::PresetName(m_services.view().CurrentPreset));
    cover.record = &m_services.record();
    const QString problem =
        report::WriteTuningReport(QString::fromStdString(file.string()), m_services.store(), cover);
    if (!problem.isEmpty())
        m_prompter.showMessage(problem.toStdString(), MessageIcon::Exclamation);
    return problem.isEmpty();
}

} // namespace quorix::ui
