#include "compare_window.h"

#include "controls/qt_text.h"

#include "prompter.h"

#include "core/param_display.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quorix::ui {

CompareWindow::CompareWindow(ConsoleServices& session, TuningWindow& window, Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Tool), m_comparison(session, window, prompter), m_prompter(prompter)
{
    setWindowTitle(QStringLiteral("与设备比较"));
    setAccessibleName(windowTitle());
    auto* layout = new QVBoxLayout(this);
    m_summary = new QLabel(this);
    layout->addWidget(m_summary);
    m_list = new QTreeWidget(this);
    m_list->setObjectName("CompareList");
    m_list->setRootIsDecorated(false);
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
    resize(760, 420);
}

bool CompareWindow::compare()
{
    const bool read = readAndList();
    if (read && !hasDifferences())
        m_prompter.showMessage(kNoDifferenceMessage, MessageIcon::Information);
    return read && hasDifferences();
}

bool CompareWindow::readAndList()
{
    const bool read = m_comparison.compare();
    showDifferences();
    return read;
}

void CompareWindow::showDifferences()
{
    m_list->clear();
    for (const core::ParamDifference& d : m_comparison.differences()) {
        auto* row = new QTreeWidgetItem(m_list);
        row->setText(0, QString::fromLatin1(core::KindName(d.kind())));
        row->setText(1, d.mode == 0 ? QStringLiteral("演唱") : d.mode == 1 ? QStringLiteral("劲舞") : QStringLiteral("默认"));
        row->setText(2, controls::QtText(core::ParamLabel(d.address)));
        row->setText(3, controls::QtText(d.field));
        row->setText(4, controls::QtText(d.left));
        row->setText(5, controls::QtText(d.right));
    }
    const auto count = static_cast<int>(m_comparison.differences().size());
    m_summary->setText(count == 0 ? controls::QtText(kNoDifferenceMessage) : QStringLiteral("%1 项不同").arg(count));
    m_write->setEnabled(count > 0);
    m_take->setEnabled(count > 0);
}

void CompareWindow::writeScreenToProcessor()
{
    if (m_comparison.writeScreenToProcessor() && m_comparison.compare() && !hasDifferences()) {
        showDifferences(); // read back what the processor now holds
        emit broughtIntoStep();
        return;
    }
    showDifferences();
}

void CompareWindow::takeProcessorValues()
{
    m_comparison.takeProcessorValues();
    showDifferences();
    emit broughtIntoStep();
}

void OpenCompareWindow(ConsoleServices& session, TuningWindow* window, Prompter& prompter, QWidget* parent)
{
    if (!window) {
        prompter.showMessage(kDeviceOfflineMessage, MessageIcon::Exclamation);
        return;
    }
    if (auto* open = parent->findChild<CompareWindow*>(QString(), Qt::FindDirectChildrenOnly))
        open->close();
    auto* compare = new CompareWindow(session, *window, prompter, parent);
    compare->setAttribute(Qt::WA_DeleteOnClose);
    if (!compare->compare()) {
        delete compare;
        return;
    }
    compare->show();
    compare->raise();
}

} // namespace quorix::ui
