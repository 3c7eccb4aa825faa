#include "dark_dialog_style.h"

#include <QWidget>

namespace quorix::ui {

void ApplyDarkDialogStyle(QWidget& dialog)
{
    dialog.setStyleSheet(QStringLiteral(R"(
QDialog, QWidget#frmProgramManager, QWidget#SimPanel { background: #20242a; color: #dde3ea; }
QLabel, QCheckBox, QRadioButton { color: #dde3ea; background: transparent; }
QLabel:disabled, QCheckBox:disabled, QRadioButton:disabled { color: #6c7580; }
QGroupBox { color: #e8c860; border: 1px solid #4a5360; border-radius: 4px; margin-top: 10px; padding-top: 6px; }
QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 4px; }
QLineEdit, QComboBox { background: #12151a; color: #f0f0f0; border: 1px solid #4a5360; border-radius: 3px;
                       padding: 2px 4px; selection-background-color: #3a6ea5; }
QLineEdit:disabled, QComboBox:disabled { background: #2a2f36; color: #6c7580; border-color: #3a414b; }
QComboBox QAbstractItemView { background: #12151a; color: #f0f0f0; selection-background-color: #3a6ea5; }
QPushButton { background: #38404a; color: #f0f0f0; border: 1px solid #5a6472; border-radius: 4px; padding: 4px 8px; }
QPushButton:hover { background: #46505c; }
QPushButton:pressed { background: #2a3038; }
QPushButton:disabled { color: #6c7580; border-color: #3a414b; }
QTreeView, QListView { background: #12151a; color: #f0f0f0; border: 1px solid #4a5360;
                       selection-background-color: #3a6ea5; selection-color: #ffffff; }
QHeaderView::section { background: #2a2f36; color: #dde3ea; border: 0; border-right: 1px solid #4a5360;
                       padding: 2px 6px; }
QToolButton { background: #38404a; border: 1px solid #5a6472; border-radius: 3px; padding: 2px; }
QToolButton:hover { background: #46505c; }
QToolButton:disabled { background: #2a2f36; border-color: #3a414b; }
QMenu { background: #20242a; color: #dde3ea; border: 1px solid #4a5360; padding: 2px; }
QMenu::item { padding: 5px 36px 5px 24px; }
QMenu::item:selected { background: #3a6ea5; color: #ffffff; }
QRadioButton::indicator { width: 12px; height: 12px; border: 1px solid #8a96a4; border-radius: 7px; background: #12151a; }
QRadioButton::indicator:checked {
    background: qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5,
                                stop:0 #e8c860, stop:0.5 #e8c860, stop:0.6 #12151a, stop:1 #12151a); }
QRadioButton::indicator:disabled { border-color: #4a5360; }
QCheckBox::indicator { width: 12px; height: 12px; border: 1px solid #8a96a4; border-radius: 2px; background: #12151a; }
QCheckBox::indicator:checked { image: url(:/dialog/tick.png); }
QCheckBox::indicator:disabled { border-color: #4a5360; }
QRadioButton::indicator:checked:disabled {
    background: qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5,
                                stop:0 #7a7050, stop:0.5 #7a7050, stop:0.6 #12151a, stop:1 #12151a); }
)"));
}

} // namespace quorix::ui
