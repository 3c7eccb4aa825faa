#pragma once

#include <QFileIconProvider>

class QFileDialog;

namespace quorix::ui {

// Names the kinds of file in Chinese, whatever the system's language: Qt's own
// translations leave a folder "Folder" and the system's type names follow its locale.
class ChineseFileTypes final : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override;
};

// The console's file dialogs: the toolkit's own, so that it filters without regard
// to letter case on every platform, takes the dark style and names file types in Chinese.
void PrepareFileDialog(QFileDialog& dialog);

} // namespace quorix::ui
