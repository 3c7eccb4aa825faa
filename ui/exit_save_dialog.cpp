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
    m_presetCheck = new QCheckBox(QStringLiteral("将当前设置保存到预置"), presetFrame);
    m_presetCheck->setObjectName(QStringLiteral("Check1"));
    m_presetCheck->setGeometry(12, 12, 300, 22);
    m_presetCheck->setChecked(true);
    m_presetLabel = new QLabel(QStringLiteral("请选择一个预置："), presetFrame);
    m_presetLabel->setGeometry(32, 46, 130, 24);
    m_presetChoice = new QComboBox(presetFrame);
    m_presetChoice->setObjectName(QStringLiteral("Combo1"));
    m_presetChoice->setGeometry(168, 46, 140, 26);
    for (int preset = presets::kFirstUserPreset; preset < static_cast<int>(core::kPresetNames.size()); ++preset)
        m_presetChoice->addItem(QString::fromStdString(core::PresetName(preset)));
    m_presetChoice->setCurrentIndex(0);

    auto* fileFrame = new QGroupBox(this);
    fileFrame->setGeometry(12, 100, 336, 84);
    m_fileCheck = new QCheckBox(QStringLiteral("将设备配置保存到设备文件"), fileFrame);
    m_fileCheck->setObjectName(QStringLiteral("Check2"));
    m_fileCheck->setGeometry(12, 12, 300, 22);
    m_fileLabel = new QLabel(QStringLiteral("请输入文件名："), fileFrame);
    m_fileLabel->setGeometry(32, 46, 130, 24);
    m_fileName = new QLineEdit(fileFrame);
    m_fileName->setObjectName(QStringLiteral("Text1"));
    m_fileName->setGeometry(168, 46, 140, 26);
    m_fileName->setEnabled(false);

    m_saveButton = new QPushButton(QStringLiteral("保存"), this);
    m_saveButton->setObjectName(QStringLiteral("Command1"));
    m_saveButton->setGeometry(92, 222, 84, 30);
    m_saveButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("取消"), this);
    m_cancelButton->setObjectName(QStringLiteral("Command2"));
    m_cancelButton->setGeometry(184, 222, 84, 30);
    m_progress = new controls::SkinnedProgressBar(this);
    m_progress->setGeometry(12, 192, 336, 22);
    m_progress->hide();

    connect(m_presetCheck, &QCheckBox::toggled, m_presetChoice, &QWidget::setEnabled);
    connect(m_fileCheck, &QCheckBox::toggled, m_fileName, &QWidget::setEnabled);
    connect(m_saveButton, &QPushButton::clicked, this, &ExitSaveDialog::save);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void ExitSaveDialog::save()
{
    const QByteArray name = m_fileName->text().toUtf8();
    m_flow.save(
        {m_presetCheck->isChecked(), m_presetChoice->currentIndex(), m_fileCheck->isChecked(), name.toStdString()},
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
