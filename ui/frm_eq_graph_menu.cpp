#include "frm_eq.h"

#include "console_session.h"
#include "prompter.h"

#include "graph/response_csv.h"
#include "graph/response_plot.h"

#include "measure/filter_import.h"

#include "report/tuning_report.h"

#include "core/atomic_save.h"
#include "core/preset_name.h"

#include <QBuffer>
#include <QMenu>

#include <cstdint>
#include <span>

namespace quorix::ui {

namespace {

constexpr std::string_view kImportFilters = "导入滤波器…";
constexpr std::string_view kSavePicture = "保存图片…";
constexpr std::string_view kSaveCurves = "导出曲线…";
constexpr std::string_view kPrintReport = "打印报告…";
constexpr std::string_view kPageLocked = "自动模式控制正在掌管本页的均衡，不能导入滤波器。";

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

std::unique_ptr<QMenu> frmEQ::createGraphMenu()
{
    auto menu = std::make_unique<QMenu>(this);
    const auto add = [&](std::string_view text, std::string_view filter, bool save,
                         bool (frmEQ::*run)(const std::filesystem::path&)) {
        menu->addAction(Text(text), this, [=, this] { askAndRun(text, filter, save, run); });
    };
    add(kImportFilters, "Filter text (*.txt);;All files (*)", false, &frmEQ::importFilters);
    menu->addSeparator();
    add(kSavePicture, "PNG (*.png)", true, &frmEQ::savePicture);
    add(kSaveCurves, "CSV (*.csv)", true, &frmEQ::saveCurves);
    menu->addSeparator();
    add(kPrintReport, "PDF (*.pdf)", true, &frmEQ::printReport);
    return menu;
}

void frmEQ::askAndRun(std::string_view caption, std::string_view filter, bool save,
                      bool (frmEQ::*run)(const std::filesystem::path&))
{
    if (const auto file = m_prompter.askFile(caption, filter, save))
        (this->*run)(*file);
}

bool frmEQ::importFilters(const std::filesystem::path& file)
{
    if (m_plot->display().locked()) {
        m_prompter.showMessage(kPageLocked, link::MessageIcon::Exclamation);
        return false;
    }
    // Fitted on a copy: a refused file leaves neither a change nor an undo step behind.
    core::ParamStore fitted = m_session.store();
    const measure::FilterImport imported = measure::ImportFilterFile(fitted, m_session.view(), file);
    if (!imported.ok) {
        m_prompter.showMessage(imported.message, link::MessageIcon::Exclamation);
        return false;
    }
    if (!imported.changed.empty()) {
        m_undo.PushSnapshot();
        m_session.store() = fitted;
        RefreshControls();
        for (const int address : imported.changed)
            if (m_session.link().LinkOnline())
                m_session.link().WriteParam(address);
    }
    m_prompter.showMessage(imported.message, link::MessageIcon::Information);
    return true;
}

bool frmEQ::saveBytes(const std::filesystem::path& file, std::string_view bytes)
{
    const std::string problem = core::SaveAtomically(
        file, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    if (!problem.empty())
        m_prompter.showMessage(problem, link::MessageIcon::Exclamation);
    return problem.empty();
}

bool frmEQ::savePicture(const std::filesystem::path& file)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    m_plot->picture(2).save(&buffer, "PNG");
    return saveBytes(file, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
}

bool frmEQ::saveCurves(const std::filesystem::path& file)
{
    return saveBytes(file, graph::ResponseCsv(m_session.store(), m_session.view(), m_plot->width()));
}

bool frmEQ::printReport(const std::filesystem::path& file)
{
    report::ReportCover cover;
    cover.when = QDateTime::currentDateTime();
    cover.source = m_session.link().LinkOnline() ? QStringLiteral("处理器") : QStringLiteral("控制台当前设置");
    cover.preset = QString::fromStdString(core::PresetName(m_session.view().CurrentPreset));
    const QString problem =
        report::WriteTuningReport(QString::fromStdString(file.string()), m_session.store(), cover);
    if (!problem.isEmpty())
        m_prompter.showMessage(problem.toStdString(), link::MessageIcon::Exclamation);
    return problem.isEmpty();
}

} // namespace quorix::ui
