#include "exit_save_dialog.h"

#include "dark_dialog_style.h"

#include "presets/preset_texts.h"

#include "controls/skinned_progress_bar.h"

#include "core/preset_name.h"
#include "core/prompter.h"
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quorix::ui {

ExitSaveDialog::ExitSaveDialog(presets::PresetContext context, core::Prompter& prompter,
                               const std::filesystem::path& modeFolder, QWidget* parent)
    : QDialog(parent), m_flow(context, prompter, *this, modeFolder)
{
    setObjectName(QStringLiteral("frmExitSave"));
    setWindowTitle(QStringLiteral("Quorix Series"));
    if (parent)
        setWindowIcon(parent->windowIcon());
    setFixedSize(360, 262);
    ApplyDarkDialogStyle(*this);

    auto* presetFrame = new QGroupBox(this);
    presetFrame->setGeometry(12, 8, 336, 84);
    m_check1 = new QCheckBox(QStringLiteral("将当前设置保存到预置"), presetFrame);
    m_check1->setGeometry(12, 12, 300, 22);
    m_check1->setChecked(true);
    m_label1 = new QLabel(QStringLiteral("请选择一个预置："), presetFrame);
    m_label1->setGeometry(32, 46, 130, 24);
    m_combo1 = new QComboBox(presetFrame);
    m_combo1->setGeometry(168, 46, 140, 26);
    for (int preset = presets::kFirstUserPreset; preset < static_cast<int>(core::kPresetNames.size()); ++preset)
        m_combo1->addItem(QString::fromStdString(core::PresetName(preset)));
    m_combo1->setCurrentIndex(0);

    auto* fileFrame = new QGroupBox(this);
    fileFrame->setGeometry(12, 100, 336, 84);
    m_check2 = new QCheckBox(QStringLiteral("将设备配置保存到设备文件"), fileFrame);
    m_check2->setGeometry(12, 12, 300, 22);
    m_label2 = new QLabel(QStringLiteral("请输入文件名："), fileFrame);
    m_label2->setGeometry(32, 46, 130, 24);
    m_text1 = new QLineEdit(fileFrame);
    m_text1->setGeometry(168, 46, 140, 26);
    m_text1->setEnabled(false);

    m_command1 = new QPushButton(QStringLiteral("保存"), this);
    m_command1->setGeometry(92, 222, 84, 30);
    m_command1->setDefault(true);
    m_command2 = new QPushButton(QStringLiteral("取消"), this);
    m_command2->setGeometry(184, 222, 84, 30);
    m_progress = new controls::SkinnedProgressBar(this);
    m_progress->setGeometry(12, 192, 336, 22);
    m_progress->hide();

    connect(m_check1, &QCheckBox::toggled, m_combo1, &QWidget::setEnabled);
    connect(m_check2, &QCheckBox::toggled, m_text1, &QWidget::setEnabled);
    connect(m_command1, &QPushButton::clicked, this, &ExitSaveDialog::command1Click);
    connect(m_command2, &QPushButton::clicked, this, &QDialog::reject);
}

void ExitSaveDialog::command1Click()
{
    const QByteArray name = m_text1->text().toUtf8();
    m_flow.save({m_check1->isChecked(), m_combo1->currentIndex(), m_check2->isChecked(), name.toStdString()},
                [this](bool closes) {
                    if (closes)
                        accept();
                });
}

void ExitSaveDialog::setBusy(bool busy)
{
    setEnabled(!busy);
    m_progress->setMaxValue(1);
    m_progress->setValue(0);
    m_progress->setVisible(busy);
}

} // namespace quorix::ui
