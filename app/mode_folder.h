#pragma once

#include <QString>

namespace quorix::app {

struct ModeFolder {
    QString path;
    QString error; // why the folder could not be made; empty when it exists
};

// The folder of configuration files: `requested` when given; otherwise "mode"
// beside the executable when that folder can be written and is not the folder
// the programs are installed in (a portable copy), else "mode" in the user's
// application data folder. The folder is created when it is missing.
ModeFolder ChooseModeFolder(const QString& requested, const QString& executableFolder,
                            const QString& installedFolder = {});

} // namespace quorix::app
