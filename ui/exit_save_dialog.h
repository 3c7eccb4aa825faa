#pragma once

#include "presets/exit_save.h"

#include "core/busy_indicator.h"
#include "core/prompter.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quorix::controls {
class SkinnedProgressBar;
} // namespace quorix::controls

namespace quorix::ui {

// The save dialog offered when the main window closes: store into a user
// preset and/or write a configuration file into the mode folder.
class ExitSaveDialog final : public QDialog, private core::BusyIndicator {
    Q_OBJECT

public:
    ExitSaveDialog(presets::PresetContext context, core::Prompter& prompter, const std::filesystem::path& modeFolder,
                   QWidget* parent = nullptr);

    QCheckBox* check1() const { return m_check1; }
    QComboBox* combo1() const { return m_combo1; }
    QCheckBox* check2() const { return m_check2; }
    QLineEdit* text1() const { return m_text1; }
    QPushButton* command1() const { return m_command1; }
    QPushButton* command2() const { return m_command2; }
    controls::SkinnedProgressBar* progressBar() const { return m_progress; }

    void command1Click();

private:
    void setBusy(bool busy) override;

    presets::ExitSave m_flow;
    QCheckBox* m_check1 = nullptr;
    QLabel* m_label1 = nullptr;
    QComboBox* m_combo1 = nullptr;
    QCheckBox* m_check2 = nullptr;
    QLabel* m_label2 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    controls::SkinnedProgressBar* m_progress = nullptr;
};

} // namespace quorix::ui
