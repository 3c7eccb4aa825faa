#include "console_file_dialog.h"

#include "dark_dialog_style.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace quorix::ui {

QString ChineseFileTypes::type(const QFileInfo& info) const
{
    if (info.isRoot())
        return QStringLiteral("驱动器");
    if (info.isDir())
        return QStringLiteral("文件夹");
    const QString suffix = info.suffix();
    return suffix.isEmpty() ? QStringLiteral("文件") : suffix.toUpper() + QStringLiteral(" 文件");
}

void PrepareFileDialog(QFileDialog& dialog)
{
    // The provider holds no state: one serves every dialog.
    static ChineseFileTypes types;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&types);
    ApplyDarkDialogStyle(dialog);
}

} // namespace quorix::ui
