#pragma once

#include "presets/processor_comparison.h"

#include "core/prompter.h"

#include <QWidget>

#include <functional>

#include <string_view>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quorix::ui {

class ConsoleServices;
class TuningWindow;

inline constexpr std::string_view kNoDifferenceMessage = "界面与设备的参数一致，没有差异。";

// "与设备比较": the parameter copies the screen and the processor hold apart, in
// two groups (read back and found different; edited or lost but not readable),
// each row chosen on its own or with its group, and the two ways of bringing
// the chosen ones into step.
class CompareWindow final : public QWidget {
    Q_OBJECT

public:
    CompareWindow(ConsoleServices& session, core::Prompter& prompter, QWidget* parent = nullptr);

    // Reads the processor and shows what differs; `shown` is told false (with a
    // message said) when offline, when the read failed or when nothing differs.
    void compare(std::function<void(bool shown)> shown);
    // The full read after a connection, or the comparison first while copies are
    // unconfirmed; what it lists is shown before `done` is told.
    void synchronise(std::function<void(presets::ProcessorComparison::Synchronisation)> done);
    bool hasDifferences() const { return !m_comparison.copies().empty(); }
    void writeScreenToProcessor();
    void takeProcessorValues();

    QTreeWidget& list() const { return *m_list; }
    // The row of the group's copies; null when the group is empty.
    QTreeWidgetItem* group(presets::ComparedCopy::Group group) const;
    QString summary() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showCopies();
    void rowChanged(QTreeWidgetItem* row);
    // The window is disabled until the read has ended.
    void read(std::function<void(presets::ProcessorComparison::Outcome)> done);

    ConsoleServices& m_session;
    presets::ProcessorComparison m_comparison;
    core::Prompter& m_prompter;
    QTreeWidget* m_list = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_write = nullptr;
    QPushButton* m_take = nullptr;
    bool m_listing = false;
};

// The menu item: a fresh comparison in a window of `parent`'s, replacing an open one;
// without a main window, the offline message.
void OpenCompareWindow(ConsoleServices& session, TuningWindow* window, core::Prompter& prompter, QWidget* parent);

} // namespace quorix::ui
