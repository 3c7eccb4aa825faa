#include "close_button.h"

#include "controls/skinned_button.h"

#include <QShortcut>
#include <QWidget>

namespace quorix::ui {

namespace {

constexpr int kMargin = 5;

} // namespace

controls::SkinnedButton* AddCloseButton(QWidget& window)
{
    auto* button = new controls::SkinnedButton(&window);
    button->setObjectName(QStringLiteral("cmdClose"));
    button->setActionType(controls::SkinnedButton::Momentary);
    button->setPNGIndexStr(QStringLiteral("208,209"));
    button->setAccessibleName(QStringLiteral("关闭"));
    button->setToolTip(button->accessibleName());
    button->move(window.width() - button->width() - kMargin, kMargin);
    button->raise();
    QObject::connect(button, &controls::SkinnedButton::click, &window, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &window);
    QObject::connect(escape, &QShortcut::activated, &window, &QWidget::close);
    return button;
}

} // namespace quorix::ui
