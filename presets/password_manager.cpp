#include "password_manager.h"

#include <algorithm>
#include <string>

namespace quorix::presets {

namespace {

constexpr int kLockKind = 0;
constexpr int kRightsKind = 2;
constexpr int kVerify = 0;
constexpr int kChange = 1;
constexpr int kClose = 2;
constexpr std::size_t kLockLength = 4;
constexpr std::size_t kRightsLength = 6;

bool DigitsOnly(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The message for a box that does not hold exactly `length` digits, or empty.
std::string Refusal(std::string_view subject, std::string_view text, std::size_t length)
{
    const std::string s(subject);
    if (text.empty())
        return s + "请输入!";
    if (!DigitsOnly(text))
        return s + "只能输入数字0~9";
    if (text.size() != length)
        return s + "请输入" + std::to_string(length) + "位!";
    return {};
}

} // namespace

PasswordManager::Selection PasswordManager::Opening()
{
    m_windowReady = false;
    return {m_context.store.at(0, core::kKeyboardLock).Value != 0 ? 1 : 0, GuestUser(m_context.store) ? 0 : 1};
}

bool PasswordManager::send(int kind, int operation, bool& accepted)
{
    const bool answered = m_context.link.SendCommand(link::Command::Password, kind, operation);
    // The request kept its own copy of the digits: none stay behind.
    m_context.digits = core::DigitBuffer{};
    const link::Bytes& reply = m_context.link.lastReply();
    accepted = answered && reply.size() > 1 && reply[1] == 'S';
    return answered;
}

PasswordBox PasswordManager::confirm(std::string_view password, PasswordBox box, const Kind& kind)
{
    if (!m_context.link.LinkOnline()) {
        m_host.showMessage(kPasswordOffline);
        return PasswordBox::None;
    }
    if (password.empty())
        return box;
    if (const std::string refusal = Refusal("密码", password, kind.length); !refusal.empty()) {
        m_host.showMessage(refusal);
        return box;
    }
    m_context.digits.DigitsToBuffer(password, 0);
    bool accepted = false;
    if (!send(kind.code, kVerify, accepted))
        return PasswordBox::None;
    if (!accepted) {
        m_host.showMessage(kPasswordWrong);
        return box;
    }
    (kind.code == kLockKind ? m_lockProven : m_rightsProven) = true;
    return PasswordBox::None;
}

PasswordBox PasswordManager::change(std::string_view old, std::string_view fresh, std::string_view confirmation,
                                    const Kind& kind)
{
    if (!m_rightsProven)
        return PasswordBox::None;
    if (!m_context.link.LinkOnline()) {
        m_host.showMessage(kPasswordOffline);
        return PasswordBox::None;
    }
    const struct {
        std::string_view subject;
        std::string_view text;
        PasswordBox box;
    } boxes[] = {{"原始密码", old, kind.old}, {"新密码", fresh, kind.fresh}, {"确认密码", confirmation, kind.confirm}};
    for (const auto& b : boxes) {
        if (const std::string refusal = Refusal(b.subject, b.text, kind.length); !refusal.empty()) {
            m_host.showMessage(refusal);
            return b.box;
        }
    }
    if (fresh != confirmation) {
        m_host.showMessage(kPasswordMismatch);
        return kind.fresh;
    }
    m_context.digits.DigitsToBuffer(old, 0);
    m_context.digits.DigitsToBuffer(fresh, kind.length);
    bool accepted = false;
    if (send(kind.code, kChange, accepted))
        m_host.showMessage(accepted ? kPasswordChanged : kPasswordChangeFailed);
    return PasswordBox::None;
}

PasswordBox PasswordManager::ConfirmKeyboardLock(std::string_view password)
{
    return confirm(password, PasswordBox::LockPassword, {kLockKind, kLockLength, {}, {}, {}});
}

PasswordBox PasswordManager::ConfirmRights(std::string_view password)
{
    return confirm(password, PasswordBox::RightsPassword, {kRightsKind, kRightsLength, {}, {}, {}});
}

PasswordBox PasswordManager::ChangeRightsPassword(std::string_view old, std::string_view fresh,
                                                  std::string_view confirmation)
{
    return change(old, fresh, confirmation,
                  {kRightsKind, kRightsLength, PasswordBox::RightsOld, PasswordBox::RightsNew,
                   PasswordBox::RightsConfirm});
}

PasswordBox PasswordManager::ChangeKeyboardLockPassword(std::string_view old, std::string_view fresh,
                                                        std::string_view confirmation)
{
    return change(old, fresh, confirmation,
                  {kLockKind, kLockLength, PasswordBox::LockOld, PasswordBox::LockNew, PasswordBox::LockConfirm});
}

void PasswordManager::choose(int address, int value)
{
    if (!m_windowReady)
        return;
    m_edits.setValue(address, value);
}

void PasswordManager::KeyboardLockChosen(int on)
{
    if (m_lockProven)
        choose(core::kKeyboardLock, on);
}

void PasswordManager::RightsChosen(int administrator)
{
    if (m_rightsProven)
        choose(core::kRightsAddress, administrator);
}

void PasswordManager::Lock()
{
    m_lockProven = false;
    m_rightsProven = false;
    m_windowReady = false;
}

void PasswordManager::Closing()
{
    Lock();
    bool accepted = false;
    if (m_context.link.LinkOnline() && send(kLockKind, kClose, accepted))
        send(kRightsKind, kClose, accepted);
}

} // namespace quorix::presets
