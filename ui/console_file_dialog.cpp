#include "console_file_dialog.h"

#include "dark_dialog_style.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLocale>
#include <QTreeView>

namespace quorix::ui {

namespace {

const QString kModifiedFormat = QStringLiteral("yyyy-MM-dd HH:mm");
const QString kModifiedSample = QStringLiteral("0000-00-00 00:00");
const QString kNameSample = QStringLiteral("room-108-tuning.quorix");

} // namespace

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
    case 3:
        return files->lastModified(source).toString(kModifiedFormat);
    default:
        break;
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
    // Qt sizes the date column for its own shorter format, which cut ours to "2026-1…"; the
    // name column gives up what the date needs, so the details fit the dialog without scrolling.
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        const int margin = 2 * details->style()->pixelMetric(QStyle::PM_HeaderMargin) + 8;
        details->header()->resizeSection(3, details->fontMetrics().horizontalAdvance(kModifiedSample) + margin);
        details->header()->resizeSection(0, details->fontMetrics().horizontalAdvance(kNameSample) + margin);
    }
    ApplyDarkDialogStyle(dialog);
}

} // namespace quorix::ui
