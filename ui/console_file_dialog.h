#pragma once

#include <QFileIconProvider>
#include <QIdentityProxyModel>

class QFileDialog;

namespace quorix::ui {

// Names the kinds of file in Chinese, whatever the system's language: Qt's own
// translations leave a folder "Folder" and the system's type names follow its locale.
class ChineseFileTypes final : public QFileIconProvider {
public:
    QString type(const QFileInfo& info) const override;
};

// Writes the file list's sizes and dates without the system locale's words
// ("12 bytes", "11 Dec"), in the units and digits a Chinese reader takes as they are.
class ChineseFileDetails final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex& index, int role) const override;
};

// The console's file dialogs: the toolkit's own, so that it filters without regard
// to letter case on every platform, takes the dark style and names file types in Chinese.
void PrepareFileDialog(QFileDialog& dialog);

} // namespace quorix::ui
