#include "dark_dialog_style.h"

#include <QWidget>

namespace quorix::ui {

void ApplyDarkDialogStyle(QWidget& dialog)
{
    dialog.setStyleSheet(QStringLiteral(R"(
QDialog, QWidget#frmProgramManager { background: #20242a; color: #dde3ea; }
QLabel, QCheckBox, QRadioButton { color: #dde3ea; background: transparent; }
QLabel:disabled, QCheckBox:disabled, QRadioButton:disabled { color: #6c7580; }
QGroupBox { color: #e8c860; border: 1px solid #4a5360; border-radius: 4px; margin-top: 10px; padding-top: 6px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; }
QLineEdit, QComboBox { background: #12151a; color: #f0f0f0; border: 1px solid #4a5360; border-radius: 3px;
                       padding: 2px 4px; selection-background-color: #3a6ea5; }
QLineEdit:disabled, QComboBox:disabled { background: #2a2f36; color: #6c7580; border-color: #3a414b; }
QComboBox QAbstractItemView { background: #12151a; color: #f0f0f0; selection-background-color: #3a6ea5; }
QPushButton { background: #38404a; color: #f0f0f0; border: 1px solid #5a6472; border-radius: 4px;
              padding: 4px 14px; min-width: 56px; }
QPushButton:hover { background: #46505c; }
QPushButton:pressed { background: #2a3038; }
QPushButton:disabled { color: #6c7580; border-color: #3a414b; }
)"));
}

} // namespace quorix::ui
