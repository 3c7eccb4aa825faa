#include "mode_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorix::app {

ModeFolder ChooseModeFolder(const QString& requested, const QString& executableFolder, const QString& installedFolder)
{
    QString path = requested;
    if (path.isEmpty()) {
        const QFileInfo beside(executableFolder);
        // An installed copy never keeps files in its program folder, even for a user who may write there.
        const bool installed = !installedFolder.isEmpty() && QDir(executableFolder) == QDir(installedFolder);
        path = !installed && beside.isDir() && beside.isWritable()
                   ? QDir(executableFolder).filePath(QStringLiteral("mode"))
                   : QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation))
                         .filePath(QStringLiteral("mode"));
    }
    if (!QDir().mkpath(path))
        return {
            path,
            QStringLiteral("无法创建配置文件夹 %1，配置文件将无法保存到该处。").arg(QDir::toNativeSeparators(path))};
    return {path, {}};
}

} // namespace quorix::app
