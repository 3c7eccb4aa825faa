#pragma once

#include "preset_context.h"

#include "core/param_editor.h"
#include "core/prompter.h"

#include <functional>
#include <memory>
#include <string_view>

namespace quorix::presets {

// The entry boxes of the password window, as the checks name them for the focus.
enum class PasswordBox {
    None,
    LockPassword,   // Text8
    RightsPassword, // Text9
    RightsOld,      // Text2
    RightsNew,      // Text3
    RightsConfirm,  // Text4
    LockOld,        // Text5
    LockNew,        // Text6
    LockConfirm,    // Text7
};

// The password window's logic. Every password is checked by the processor:
// the console only passes the digits on and forgets them once sent.
class PasswordManager {
public:
    // Which option buttons the window shows selected when it opens.
    struct Selection {
        int keyboardLock = 0; // 1 on, 0 off
        int rights = 0;       // 1 administrator, 0 guest
    };

    // The two options are parameters like any other: they change through the session's editor.
    PasswordManager(PresetContext context, core::ParamEditor& edits, core::Prompter& prompter)
        : m_context(context), m_edits(edits), m_prompter(prompter)
    {}
    // Told the box that takes the focus afterwards, or None.
    using Focus = std::function<void(PasswordBox)>;

    // Opening: WindowReady is false until the window has set its options and calls Ready().
    Selection opening();
    void ready() { m_windowReady = true; }
    bool windowReady() const { return m_windowReady; }

    // Each returns at once and tells `then` the box that takes the focus once the
    // processor has answered; a refusal is said and told before it returns.
    void confirmKeyboardLock(std::string_view password, Focus then);
    void confirmRights(std::string_view password, Focus then);
    void changeRightsPassword(std::string_view old, std::string_view fresh, std::string_view confirm, Focus then);
    void changeKeyboardLockPassword(std::string_view old, std::string_view fresh, std::string_view confirm, Focus then);

    void keyboardLockChosen(int on);
    void rightsChosen(int administrator);

    // After a proven keyboard-lock password: its options are usable.
    bool keyboardLockUnlocked() const { return m_lockProven; }
    // After a proven rights password: the rights options and both change rows are usable.
    bool rightsUnlocked() const { return m_rightsProven; }

    // The window closes: the processor is told (when online) and the window locks again.
    void closing();
    // Locks again without a word to the processor.
    void lock();

private:
    struct Kind {
        int code;
        std::size_t length;
        PasswordBox old, fresh, confirm;
    };
    void confirm(std::string_view password, PasswordBox box, const Kind& kind, Focus then);
    void change(std::string_view old, std::string_view fresh, std::string_view confirm, const Kind& kind, Focus then);
    // Sends the digits; `told` learns whether it was answered, and the processor's verdict.
    // Nobody is told once the manager is gone.
    void send(int kind, int operation, std::function<void(bool answered, bool accepted)> told);
    void choose(int address, int value);

    PresetContext m_context;

    core::ParamEditor& m_edits;
    core::Prompter& m_prompter;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    bool m_windowReady = false;
    bool m_lockProven = false;
    bool m_rightsProven = false;
};

inline constexpr std::string_view kPasswordOffline = "未联机时，不可执行此操作！";
inline constexpr std::string_view kPasswordWrong = "密码错误！";
inline constexpr std::string_view kPasswordMismatch = "新密码和确认密码不一致！";
inline constexpr std::string_view kPasswordChanged = "密码修改成功！";
inline constexpr std::string_view kPasswordChangeFailed = "密码修改失败！";

} // namespace quorix::presets
