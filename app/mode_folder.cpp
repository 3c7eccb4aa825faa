#include "mode_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quorix::app {

ModeFolder ChooseModeFolder(const QString& requested, const QString& executableFolder)
{
    QString path = requested;
    if (path.isEmpty()) {
        const QFileInfo beside(executableFolder);
        path = beside.isDir() && beside.isWritable()
                   ? QDir(executableFolder).filePath(QStringLiteral("mode"))
                   : QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("mode"));
    }
    if (!QDir().mkpath(path))
        return {path, QStringLiteral("无法创建配置文件夹 %1，配置文件将无法保存到该处。").arg(QDir::toNativeSeparators(path))};
    return {path, {}};
}

} // namespace quorix::app
