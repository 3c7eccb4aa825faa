// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "presets/waiting_notice.h"

#include <QPointer>

#include <functional>

class QMessageBox;
class QWidget;

namespace quorix::ui {

// A message box that leaves the windows usable while it waits, with a 取消
// button; it goes away by itself when the wait is over.
class QtWaitingNotice final : public presets::WaitingNotice {
public:
    // `owner` gives the window the notice belongs to when it opens.
    explicit QtWaitingNotice(std::function<QWidget*()> owner) : m_owner(std::move(owner)) {}
    ~QtWaitingNotice() override;

    void showWaiting(std::string_view text, std::function<void()> onCancel) override;
    void hideWaiting() override;

    static constexpr const char* kObjectName = "WaitingNotice";

private:
    std::function<QWidget*()> m_owner;
    QPointer<QMessageBox> m_box;
};

} // namespace quorix::ui
