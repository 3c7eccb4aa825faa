// SPDX-License-Identifier: GPL-3.0-or-later
#include "qt_waiting_notice.h"

#include "controls/qt_text.h"

#include <QMessageBox>
#include <QPushButton>

namespace quorix::ui {

QtWaitingNotice::~QtWaitingNotice()
{
    hideWaiting();
}

void QtWaitingNotice::showWaiting(std::string_view text, std::function<void()> onCancel)
{
    hideWaiting();
    m_box = new QMessageBox(QMessageBox::Information, QStringLiteral("Quorix_Series"), controls::QtText(text),
                            QMessageBox::NoButton, m_owner());
    m_box->setObjectName(QString::fromLatin1(kObjectName));
    m_box->setWindowModality(Qt::NonModal);
    m_box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* cancel = m_box->addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancelWait"));
    QObject::connect(m_box, &QMessageBox::finished, m_box, [onCancel = std::move(onCancel)] { onCancel(); });
    m_box->show();
}

void QtWaitingNotice::hideWaiting()
{
    if (!m_box)
        return;
    // Closed from here the wait is over, not cancelled.
    QObject::disconnect(m_box, &QMessageBox::finished, nullptr, nullptr);
    m_box->hide();
    m_box->deleteLater();
    m_box = nullptr;
}

} // namespace quorix::ui
