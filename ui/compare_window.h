#pragma once

#include "device_comparison.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace quorix::ui {

// "与设备比较": the differences between the screen and the processor, one row
// per field, with the two ways of bringing them into step.
class CompareWindow final : public QWidget {
    Q_OBJECT

public:
    CompareWindow(ConsoleServices& session, TuningWindow& window, Prompter& prompter, QWidget* parent = nullptr);

    // Reads the processor and shows what differs; false (with a message said) when
    // offline, when the read failed or when nothing differs.
    bool compare();
    // Reads the processor and lists what differs, saying nothing; whether the read completed.
    bool readAndList();
    bool hasDifferences() const { return !m_comparison.differences().empty(); }
    void writeScreenToProcessor();
    void takeProcessorValues();

    QTreeWidget& list() const { return *m_list; }

signals:
    // The screen and the processor hold the same values after one of the two actions.
    void broughtIntoStep();

private:
    void showDifferences();

    DeviceComparison m_comparison;
    Prompter& m_prompter;
    QTreeWidget* m_list = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_write = nullptr;
    QPushButton* m_take = nullptr;
};

// The menu item: a fresh comparison in a window of `parent`'s, replacing an open one;
// without a main window, the offline message.
void OpenCompareWindow(ConsoleServices& session, TuningWindow* window, Prompter& prompter, QWidget* parent);

} // namespace quorix::ui
