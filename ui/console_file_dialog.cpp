#include "console_file_dialog.h"

#include "dark_dialog_style.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLocale>

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

QVariant ChineseFileDetails::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || !files)
        return QIdentityProxyModel::data(index, role);
    const QModelIndex source = mapToSource(index);
    switch (index.column()) {
    case 1: {
        if (files->isDir(source))
            break;
        const qint64 size = files->size(source);
        return size < 1024 ? QStringLiteral("%1 字节").arg(size)
                           : QLocale::c().formattedDataSize(size, 1, QLocale::DataSizeTraditionalFormat);
    }
    case 3: return files->lastModified(source).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    default: break;
    }
    return QIdentityProxyModel::data(index, role);
}

void PrepareFileDialog(QFileDialog& dialog)
{
    // The provider holds no state: one serves every dialog.
    static ChineseFileTypes types;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&types);
    dialog.setProxyModel(new ChineseFileDetails(&dialog));
    ApplyDarkDialogStyle(dialog);
}

} // namespace quorix::ui
