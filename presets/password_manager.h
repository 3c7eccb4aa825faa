#pragma once

#include "flow_host.h"
#include "preset_context.h"

#include "core/param_editor.h"

#include <string_view>

namespace quorix::presets {

// The entry boxes of the password window, as the checks name them for the focus.
enum class PasswordBox {
    None,
    LockPassword,    // Text8
    RightsPassword,  // Text9
    RightsOld,       // Text2
    RightsNew,       // Text3
    RightsConfirm,   // Text4
    LockOld,         // Text5
    LockNew,         // Text6
    LockConfirm,     // Text7
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

    PasswordManager(PresetContext context, FlowHost& host)
        : m_context(context), m_edits(context.store, context.view, context.link), m_host(host)
    {
    }

    // Opening: WindowReady is false until the window has set its options and calls Ready().
    Selection Opening();
    void Ready() { m_windowReady = true; }
    bool WindowReady() const { return m_windowReady; }

    // Each returns the box that takes the focus afterwards, or None.
    PasswordBox ConfirmKeyboardLock(std::string_view password);
    PasswordBox ConfirmRights(std::string_view password);
    PasswordBox ChangeRightsPassword(std::string_view old, std::string_view fresh, std::string_view confirm);
    PasswordBox ChangeKeyboardLockPassword(std::string_view old, std::string_view fresh, std::string_view confirm);

    void KeyboardLockChosen(int on);
    void RightsChosen(int administrator);

    // After a proven keyboard-lock password: its options are usable.
    bool KeyboardLockUnlocked() const { return m_lockProven; }
    // After a proven rights password: the rights options and both change rows are usable.
    bool RightsUnlocked() const { return m_rightsProven; }

    // The window closes: the processor is told (when online) and the window locks again.
    void Closing();
    // Locks again without a word to the processor.
    void Lock();

private:
    struct Kind {
        int code;
        std::size_t length;
        PasswordBox old, fresh, confirm;
    };
    PasswordBox confirm(std::string_view password, PasswordBox box, const Kind& kind);
    PasswordBox change(std::string_view old, std::string_view fresh, std::string_view confirm, const Kind& kind);
    // Sends the digits; true when answered, with `accepted` the processor's verdict.
    bool send(int kind, int operation, bool& accepted);
    void choose(int address, int value);

    PresetContext m_context;

    core::ParamEditor m_edits; // the two options are parameters like any other
    FlowHost& m_host;
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
