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

    QCheckBox* presetCheck() const { return m_presetCheck; }
    QComboBox* presetChoice() const { return m_presetChoice; }
    QCheckBox* fileCheck() const { return m_fileCheck; }
    QLineEdit* fileName() const { return m_fileName; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* cancelButton() const { return m_cancelButton; }
    controls::SkinnedProgressBar* progressBar() const { return m_progress; }

    void save();

private:
    void setBusy(bool busy) override;

    presets::ExitSave m_flow;
    QCheckBox* m_presetCheck = nullptr;
    QLabel* m_presetLabel = nullptr;
    QComboBox* m_presetChoice = nullptr;
    QCheckBox* m_fileCheck = nullptr;
    QLabel* m_fileLabel = nullptr;
    QLineEdit* m_fileName = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    controls::SkinnedProgressBar* m_progress = nullptr;
};

} // namespace quorix::ui
