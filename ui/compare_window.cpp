#include "compare_window.h"

#include "console_services.h"

#include "presets/preset_texts.h"

#include "controls/qt_text.h"

#include "tables/screen_names.h"

#include "core/param_display.h"
#include "core/prompter.h"
#include "core/tuning_document.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quorix::ui {

using Group = presets::ComparedCopy::Group;
using Outcome = presets::ProcessorComparison::Outcome;

namespace {

constexpr int kCopyRole = Qt::UserRole;
constexpr int kGroupRole = Qt::UserRole + 1;

std::string CopyText(const core::ParamRecord& r, int address)
{
    if (r.paramClass != core::ParamClass::EqBand)
        return core::ParamValueText(address / 256, address % 256, r.value);
    std::string text = core::ShapeText(r.band.shape) + " " + core::FrequencyWithUnit(r.band.freqIndex) + " " +
                       core::GainWithUnit(r.band.gain) + " " + core::QWithPrefix(r.band.qIndex);
    return r.band.bandOff ? text + " OFF" : text;
}

QString Joined(const std::vector<core::ParamDifference>& fields, std::string core::ParamDifference::*part)
{
    QStringList parts;
    for (const core::ParamDifference& d : fields)
        parts << controls::QtText(d.*part);
    return parts.join(QStringLiteral("；"));
}

} // namespace

CompareWindow::CompareWindow(ConsoleServices& session, core::Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_session(session),
      m_comparison(session.link(), session.document().edits(), session.view(), session.record()), m_prompter(prompter)
{
    setWindowTitle(QStringLiteral("与设备比较"));
    setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    m_list = new QTreeWidget(this);
    m_list->setObjectName("CompareList");
    m_list->setHeaderLabels({QStringLiteral("页面"), QStringLiteral("模式"), QStringLiteral("参数"),
                             QStringLiteral("项目"), QStringLiteral("界面"), QStringLiteral("设备")});
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(m_list);
    auto* buttons = new QHBoxLayout;
    m_write = new QPushButton(QStringLiteral("把界面参数写入设备"), this);
    m_write->setObjectName("CompareWrite");
    m_take = new QPushButton(QStringLiteral("采用设备参数"), this);
    m_take->setObjectName("CompareTake");
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    buttons->addWidget(m_write);
    buttons->addWidget(m_take);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(m_write, &QPushButton::clicked, this, [this] { writeScreenToProcessor(); });
    connect(m_take, &QPushButton::clicked, this, [this] { takeProcessorValues(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_list, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* row) { rowChanged(row); });
    resize(820, 440);
}

void CompareWindow::read(std::function<void(Outcome)> done)
{
    setEnabled(false);
    m_comparison.compare([this, done = std::move(done)](Outcome outcome) {
        setEnabled(true);
        showCopies();
        if (outcome == Outcome::ReadFailed)
            m_summary->setText(controls::QtText(presets::kComparisonReadFailed));
        if (done)
            done(outcome);
    });
}

void CompareWindow::compare(std::function<void(bool)> shown)
{
    read([this, shown = std::move(shown)](Outcome outcome) {
        switch (outcome) {
        case Outcome::Offline:
            m_prompter.showMessage(presets::kOfflineRefusal, core::Severity::Warning);
            break;
        case Outcome::ReadFailed:
            m_prompter.showMessage(presets::kComparisonReadFailed, core::Severity::Warning);
            break;
        case Outcome::Read:
            if (!hasDifferences())
                m_prompter.showMessage(kNoDifferenceMessage, core::Severity::Information);
            break;
        }
        shown(outcome == Outcome::Read && hasDifferences());
    });
}

void CompareWindow::synchronise(std::function<void(presets::ProcessorComparison::Synchronisation)> done)
{
    m_comparison.synchronise([this, done = std::move(done)](presets::ProcessorComparison::Synchronisation outcome) {
        showCopies();
        done(outcome);
    });
}

QTreeWidgetItem* CompareWindow::group(Group group) const
{
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (m_list->topLevelItem(i)->data(0, kGroupRole).toInt() == static_cast<int>(group))
            return m_list->topLevelItem(i);
    return nullptr;
}

QString CompareWindow::summary() const
{
    return m_summary->text();
}

void CompareWindow::showCopies()
{
    m_listing = true;
    m_list->clear();
    const core::ParamStore& store = m_session.document().store();
    const auto& copies = m_comparison.copies();
    for (const Group g : {Group::ReadDifferent, Group::NotReadBack}) {
        if (m_comparison.count(g) == 0)
            continue;
        auto* heading = new QTreeWidgetItem(m_list);
        heading->setData(0, kGroupRole, static_cast<int>(g));
        heading->setText(
            0, controls::QtText(g == Group::ReadDifferent ? presets::kReadDifferentGroup : presets::kNotReadBackGroup) +
                   QStringLiteral("（%1）").arg(m_comparison.count(g)));
        heading->setFirstColumnSpanned(true);
        heading->setFlags(heading->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
        heading->setCheckState(0, Qt::Checked); // before its rows: from then on it follows them
        for (std::size_t i = 0; i < copies.size(); ++i) {
            const presets::ComparedCopy& c = copies[i];
            if (c.group != g)
                continue;
            auto* row = new QTreeWidgetItem(heading);
            row->setData(0, kCopyRole, static_cast<int>(i));
            row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
            row->setCheckState(0, c.chosen ? Qt::Checked : Qt::Unchecked);
            row->setText(0, controls::QtText(tables::PageName(c.address / 256)));
            row->setText(1, controls::QtText(tables::ScreenModeName(c.mode, c.address)));
            row->setText(2, controls::QtText(tables::ParamScreenLabel(c.address)));
            if (g == Group::ReadDifferent) {
                row->setText(3, Joined(c.fields, &core::ParamDifference::field));
                row->setText(4, Joined(c.fields, &core::ParamDifference::left));
                row->setText(5, Joined(c.fields, &core::ParamDifference::right));
            } else {
                row->setText(4, controls::QtText(CopyText(store.at(c.mode, c.address), c.address)));
                row->setText(5, QStringLiteral("未能读回"));
            }
            if (c.neverRead) {
                row->setText(3, row->text(3) + controls::QtText(presets::kNeverReadMark));
                for (int column = 0; column < m_list->columnCount(); ++column)
                    row->setForeground(column, palette().color(QPalette::Disabled, QPalette::Text));
            }
        }
        heading->setExpanded(true);
    }
    const auto count = static_cast<int>(copies.size());
    m_summary->setText(count == 0 ? controls::QtText(kNoDifferenceMessage) : QStringLiteral("%1 项不同").arg(count));
    m_write->setEnabled(count > 0);
    m_take->setEnabled(m_comparison.count(Group::ReadDifferent) > 0);
    m_listing = false;
}

void CompareWindow::rowChanged(QTreeWidgetItem* row)
{
    if (m_listing)
        return;
    const QVariant copy = row->data(0, kCopyRole);
    if (copy.isValid())
        m_comparison.choose(static_cast<std::size_t>(copy.toInt()), row->checkState(0) == Qt::Checked);
}

void CompareWindow::writeScreenToProcessor()
{
    m_comparison.writeScreen();
    // The read-back waits behind the writes, so it shows what the processor now holds.
    read({});
}

void CompareWindow::takeProcessorValues()
{
    const int left = m_comparison.takeProcessorValues();
    showCopies();
    if (left > 0)
        m_prompter.showMessage(presets::kLeftMarkedNotice, core::Severity::Information);
}

void CompareWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void OpenCompareWindow(ConsoleServices& session, TuningWindow* window, core::Prompter& prompter, QWidget* parent)
{
    if (!window) {
        prompter.showMessage(presets::kOfflineRefusal, core::Severity::Warning);
        return;
    }
    if (auto* open = parent->findChild<CompareWindow*>(QString(), Qt::FindDirectChildrenOnly))
        open->close();
    auto* compare = new CompareWindow(session, prompter, parent);
    compare->setAttribute(Qt::WA_DeleteOnClose);
    compare->compare([compare](bool shown) {
        if (!shown) {
            delete compare;
            return;
        }
        compare->show();
        compare->raise();
    });
}

} // namespace quorix::ui
