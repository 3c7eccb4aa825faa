#pragma once

#include "presets/password_manager.h"

#include "core/prompter.h"

#include <QWidget>

#include <array>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace quorix::ui {

// "密码管理": proves the keyboard-lock and rights passwords to the processor,
// switches the keyboard lock and the rights, and changes either password.
class PasswordWindow final : public QWidget {
    Q_OBJECT

public:
    PasswordWindow(presets::PresetContext context, core::ParamEditor& edits, core::Prompter& prompter,
                   QWidget* parent = nullptr);

    // The entry boxes by their number (Text2 .. Text9), the buttons (Command4 .. Command7).
    QLineEdit* text(int number) const;
    QPushButton* command(int number) const;
    // Option1(index) or Option2(index): index 1 on / administrator, 0 off / guest.
    QRadioButton* option1(int index) const { return m_option1[static_cast<std::size_t>(index)]; }
    QRadioButton* option2(int index) const { return m_option2[static_cast<std::size_t>(index)]; }

    // Closes without the close requests: the link is gone with the main window.
    void closeWithMainWindow();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QLineEdit* passwordBox(QWidget* parent, int number, int maxLength, QRect geometry);
    void focus(presets::PasswordBox box);
    void showEnablement();

    presets::PasswordManager m_manager;
    std::array<QLineEdit*, 10> m_text{};
    std::array<QPushButton*, 8> m_command{};
    std::array<QRadioButton*, 2> m_option1{};
    std::array<QRadioButton*, 2> m_option2{};
    bool m_tellProcessor = true;
};

} // namespace quorix::ui
