#include "password_window.h"

#include "close_button.h"
#include "dark_dialog_style.h"

#include "core/prompter.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace quorix::ui {

namespace {

constexpr int kCloseRow = 26; // the close button's row above the groups

std::string Entry(const QLineEdit* box)
{
    return box->text().toUtf8().toStdString();
}

QLabel* Label(QWidget* parent, const QString& text, QRect geometry)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

} // namespace

PasswordWindow::PasswordWindow(presets::PresetContext context, core::ParamEditor& edits, core::Prompter& prompter,
                               QWidget* parent)
    : QWidget(parent, Qt::Window), m_manager(context, edits, prompter)
{
    setObjectName(QStringLiteral("frmProgramManager"));
    setWindowTitle(QStringLiteral("密码管理"));
    if (parent)
        setWindowIcon(parent->windowIcon());
    setFixedSize(560, 330 + kCloseRow);
    setAttribute(Qt::WA_StyledBackground);
    ApplyDarkDialogStyle(*this);

    // The keyboard lock and the rights: a password proven to the processor, then a choice of two.
    const struct {
        QString title;
        int x, box, length, button;
        QString on, off;
        std::array<QRadioButton*, 2>& options;
    } groups[] = {
        {QStringLiteral("自动键盘锁："), 12, 8, 4, 4, QStringLiteral("启用"), QStringLiteral("禁用"), m_option1},
        {QStringLiteral("权限管理： "), 284, 9, 6, 5, QStringLiteral("管理员"), QStringLiteral("来宾"), m_option2},
    };
    for (const auto& g : groups) {
        auto* group = new QGroupBox(g.title, this);
        group->setGeometry(g.x, kCloseRow + 8, 264, 118);
        Label(group, QStringLiteral("密码："), {12, 30, 48, 26});
        passwordBox(group, g.box, g.length, {60, 30, 110, 26});
        m_command[static_cast<std::size_t>(g.button)] = new QPushButton(QStringLiteral("确认"), group);
        m_command[static_cast<std::size_t>(g.button)]->setGeometry(180, 28, 72, 30);
        g.options[1] = new QRadioButton(g.on, group);
        g.options[1]->setGeometry(60, 76, 80, 24);
        g.options[0] = new QRadioButton(g.off, group);
        g.options[0]->setGeometry(150, 76, 80, 24);
    }

    auto* change = new QGroupBox(QStringLiteral("密码修改： "), this);
    change->setGeometry(12, kCloseRow + 134, 536, 184);
    const QString heads[] = {QStringLiteral("旧密码："), QStringLiteral("新密码："), QStringLiteral("确认密码：")};
    for (int column = 0; column < 3; ++column)
        Label(change, heads[column], {110 + column * 118, 26, 110, 22});
    const struct {
        QString title;
        int firstBox, length, button, y;
    } rows[] = {{QStringLiteral("权限管理："), 2, 6, 6, 56}, {QStringLiteral("自动键盘锁："), 5, 4, 7, 118}};
    for (const auto& row : rows) {
        Label(change, row.title, {12, row.y, 96, 28});
        for (int column = 0; column < 3; ++column)
            passwordBox(change, row.firstBox + column, row.length, {110 + column * 118, row.y, 108, 28});
        m_command[static_cast<std::size_t>(row.button)] = new QPushButton(QStringLiteral("修改"), change);
        m_command[static_cast<std::size_t>(row.button)]->setGeometry(462, row.y - 1, 64, 30);
    }

    for (auto options : {m_option1, m_option2}) {
        auto* group = new QButtonGroup(this);
        group->addButton(options[0]);
        group->addButton(options[1]);
    }
    const auto focusAndShow = [this](presets::PasswordBox box) {
        focus(box);
        showEnablement();
    };
    const auto focusOnly = [this](presets::PasswordBox box) { focus(box); };
    connect(m_command[4], &QPushButton::clicked, this,
            [this, focusAndShow] { m_manager.confirmKeyboardLock(Entry(m_text[8]), focusAndShow); });
    connect(m_command[5], &QPushButton::clicked, this,
            [this, focusAndShow] { m_manager.confirmRights(Entry(m_text[9]), focusAndShow); });
    connect(m_command[6], &QPushButton::clicked, this, [this, focusOnly] {
        m_manager.changeRightsPassword(Entry(m_text[2]), Entry(m_text[3]), Entry(m_text[4]), focusOnly);
    });
    connect(m_command[7], &QPushButton::clicked, this, [this, focusOnly] {
        m_manager.changeKeyboardLockPassword(Entry(m_text[5]), Entry(m_text[6]), Entry(m_text[7]), focusOnly);
    });
    // Return in a box presses the button of its row.
    static constexpr std::pair<int, int> kReturnPresses[] = {{8, 4}, {9, 5}, {2, 6}, {3, 6},
                                                             {4, 6}, {5, 7}, {6, 7}, {7, 7}};
    for (const auto& [box, button] : kReturnPresses)
        connect(m_text[static_cast<std::size_t>(box)], &QLineEdit::returnPressed,
                m_command[static_cast<std::size_t>(button)], &QPushButton::click);
    for (int i = 0; i < 2; ++i) {
        connect(m_option1[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { m_manager.keyboardLockChosen(i); });
        connect(m_option2[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { m_manager.rightsChosen(i); });
    }
    AddCloseButton(*this);
    showEnablement();
}

QLineEdit* PasswordWindow::passwordBox(QWidget* parent, int number, int maxLength, QRect geometry)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QStringLiteral("Text%1").arg(number));
    box->setEchoMode(QLineEdit::Password);
    box->setMaxLength(maxLength);
    box->setGeometry(geometry);
    m_text[static_cast<std::size_t>(number)] = box;
    return box;
}

QLineEdit* PasswordWindow::text(int number) const
{
    return number >= 2 && number <= 9 ? m_text[static_cast<std::size_t>(number)] : nullptr;
}

QPushButton* PasswordWindow::command(int number) const
{
    return number >= 4 && number <= 7 ? m_command[static_cast<std::size_t>(number)] : nullptr;
}

void PasswordWindow::focus(presets::PasswordBox box)
{
    using presets::PasswordBox;
    static constexpr std::pair<PasswordBox, int> kBoxes[] = {
        {PasswordBox::RightsOld, 2},    {PasswordBox::RightsNew, 3},     {PasswordBox::RightsConfirm, 4},
        {PasswordBox::LockOld, 5},      {PasswordBox::LockNew, 6},       {PasswordBox::LockConfirm, 7},
        {PasswordBox::LockPassword, 8}, {PasswordBox::RightsPassword, 9}};
    for (const auto& [b, number] : kBoxes)
        if (b == box)
            m_text[static_cast<std::size_t>(number)]->setFocus();
}

void PasswordWindow::showEnablement()
{
    const bool lock = m_manager.keyboardLockUnlocked();
    const bool rights = m_manager.rightsUnlocked();
    for (QRadioButton* option : m_option1)
        option->setEnabled(lock);
    for (QRadioButton* option : m_option2)
        option->setEnabled(rights);
    for (int number = 2; number <= 7; ++number)
        m_text[static_cast<std::size_t>(number)]->setEnabled(rights);
    m_command[6]->setEnabled(rights);
    m_command[7]->setEnabled(rights);
}

void PasswordWindow::showEvent(QShowEvent* event)
{
    const auto selection = m_manager.opening();
    m_option1[static_cast<std::size_t>(selection.keyboardLock)]->setChecked(true);
    m_option2[static_cast<std::size_t>(selection.rights)]->setChecked(true);
    m_manager.ready();
    showEnablement();
    QWidget::showEvent(event);
}

void PasswordWindow::closeEvent(QCloseEvent* event)
{
    if (m_tellProcessor)
        m_manager.closing();
    else
        m_manager.lock();
    for (QLineEdit* box : m_text)
        if (box)
            box->clear();
    showEnablement();
    QWidget::closeEvent(event);
}

void PasswordWindow::closeWithMainWindow()
{
    m_tellProcessor = false;
    close();
    m_tellProcessor = true;
}

} // namespace quorix::ui
