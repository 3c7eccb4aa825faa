#include "qt_file_chooser.h"

#include "console_file_dialog.h"

#include <QFileDialog>

namespace quorix::ui {

namespace {

const QString kExtension = QStringLiteral(".QUORIX");

} // namespace

std::filesystem::path QtFileChooser::chooseConfigurationFileToOpen()
{
    return choose(false);
}

std::filesystem::path QtFileChooser::chooseConfigurationFileToSave()
{
    return choose(true);
}

std::filesystem::path QtFileChooser::choose(bool save)
{
    QFileDialog dialog(m_owner(), save ? QStringLiteral("保存配置文件") : QStringLiteral("浏览配置文件"),
                       QString::fromStdU16String(m_modeFolder.u16string()),
                       QStringLiteral("音响配置文件 (*%1)").arg(kExtension));
    dialog.setObjectName(save ? QStringLiteral("SaveConfigurationDialog") : QStringLiteral("OpenConfigurationDialog"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    PrepareFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst().trimmed();
    return std::filesystem::path(chosen.toStdU16String());
}

} // namespace quorix::ui
