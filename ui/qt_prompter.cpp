#include "qt_prompter.h"

#include "console_file_dialog.h"

#include "controls/qt_text.h"

#include <QFileDialog>
#include <QMessageBox>

namespace quorix::ui {

namespace {

const QString kTitle = QStringLiteral("Quorix_Series");

QMessageBox::Icon IconFor(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    default:
        return QMessageBox::Warning;
    }
}

} // namespace

bool QtPrompter::askYesNo(std::string_view question)
{
    return QMessageBox::question(m_parent, kTitle, controls::QtText(question), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

Prompter::Answer QtPrompter::askYesNoCancel(std::string_view question)
{
    // Escape and the close box answer Cancel.
    switch (QMessageBox::question(m_parent, kTitle, controls::QtText(question),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

void QtPrompter::showMessage(std::string_view text, MessageIcon icon)
{
    QMessageBox box(IconFor(icon), kTitle, controls::QtText(text), QMessageBox::Ok, m_parent);
    box.exec();
}

std::optional<std::filesystem::path> QtPrompter::askFile(std::string_view caption, std::string_view filter, bool save)
{
    QFileDialog dialog(m_parent, controls::QtText(caption), {}, controls::QtText(filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    PrepareFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().constFirst().toStdU16String());
}

} // namespace quorix::ui
