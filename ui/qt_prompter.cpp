#include "qt_prompter.h"

#include "console_file_dialog.h"

#include "controls/qt_text.h"

#include <QFileDialog>
#include <QMessageBox>

namespace quorix::ui {

namespace {

const QString kTitle = QStringLiteral("Quorix_Series");

QMessageBox::Icon IconFor(core::Severity severity)
{
    switch (severity) {
    case core::Severity::Information:
        return QMessageBox::Information;
    case core::Severity::Error:
        return QMessageBox::Critical;
    case core::Severity::Warning:
        break;
    }
    return QMessageBox::Warning;
}

} // namespace

bool QtPrompter::askYesNo(std::string_view question)
{
    return QMessageBox::question(m_parent, kTitle, controls::QtText(question), QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

core::Prompter::Answer QtPrompter::askYesNoCancel(std::string_view question)
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

void QtPrompter::showMessage(std::string_view text, core::Severity severity)
{
    QMessageBox box(IconFor(severity), kTitle, controls::QtText(text), QMessageBox::Ok, m_parent);
    box.exec();
}

std::optional<std::filesystem::path> QtPrompter::askFile(const core::FileRequest& request)
{
    QFileDialog dialog(m_parent, controls::QtText(request.caption),
                       QString::fromStdU16String(request.folder.u16string()), controls::QtText(request.filter));
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    PrepareFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return std::filesystem::path(dialog.selectedFiles().constFirst().trimmed().toStdU16String());
}

} // namespace quorix::ui
