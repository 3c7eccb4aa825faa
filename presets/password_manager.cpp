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

PasswordManager::Selection PasswordManager::opening()
{
    m_windowReady = false;
    return {m_context.store.at(0, core::kKeyboardLock).value != 0 ? 1 : 0, GuestUser(m_context.store) ? 0 : 1};
}

void PasswordManager::send(int kind, int operation, std::function<void(bool, bool)> told)
{
    m_context.link.sendCommand(link::Command::Password, kind, operation,
                               [alive = std::weak_ptr(m_alive), told = std::move(told)](const link::RequestOutcome& o) {
                                   if (!alive.expired())
                                       told(o.answered, o.answered && o.reply.size() > 1 && o.reply[1] == 'S');
                               });
    // The request kept its own copy of the digits: none stay behind.
    m_context.digits = core::DigitBuffer{};
}

void PasswordManager::confirm(std::string_view password, PasswordBox box, const Kind& kind, Focus then)
{
    if (!m_context.link.online()) {
        m_prompter.showMessage(kPasswordOffline, core::Severity::Warning);
        then(PasswordBox::None);
        return;
    }
    if (password.empty()) {
        then(box);
        return;
    }
    if (const std::string refusal = Refusal("密码", password, kind.length); !refusal.empty()) {
        m_prompter.showMessage(refusal, core::Severity::Warning);
        then(box);
        return;
    }
    m_context.digits.digitsToBuffer(password, 0);
    send(kind.code, kVerify, [this, box, code = kind.code, then = std::move(then)](bool answered, bool accepted) {
        if (!answered) {
            then(PasswordBox::None);
            return;
        }
        if (!accepted) {
            m_prompter.showMessage(kPasswordWrong, core::Severity::Warning);
            then(box);
            return;
        }
        (code == kLockKind ? m_lockProven : m_rightsProven) = true;
        then(PasswordBox::None);
    });
}

void PasswordManager::change(std::string_view old, std::string_view fresh, std::string_view confirmation,
                             const Kind& kind, Focus then)
{
    if (!m_rightsProven) {
        then(PasswordBox::None);
        return;
    }
    if (!m_context.link.online()) {
        m_prompter.showMessage(kPasswordOffline, core::Severity::Warning);
        then(PasswordBox::None);
        return;
    }
    const struct {
        std::string_view subject;
        std::string_view text;
        PasswordBox box;
    } boxes[] = {{"原始密码", old, kind.old}, {"新密码", fresh, kind.fresh}, {"确认密码", confirmation, kind.confirm}};
    for (const auto& b : boxes) {
        if (const std::string refusal = Refusal(b.subject, b.text, kind.length); !refusal.empty()) {
            m_prompter.showMessage(refusal, core::Severity::Warning);
            then(b.box);
            return;
        }
    }
    if (fresh != confirmation) {
        m_prompter.showMessage(kPasswordMismatch, core::Severity::Warning);
        then(kind.fresh);
        return;
    }
    m_context.digits.digitsToBuffer(old, 0);
    m_context.digits.digitsToBuffer(fresh, kind.length);
    send(kind.code, kChange, [this, then = std::move(then)](bool answered, bool accepted) {
        if (answered)
            m_prompter.showMessage(accepted ? kPasswordChanged : kPasswordChangeFailed, core::Severity::Warning);
        then(PasswordBox::None);
    });
}

void PasswordManager::confirmKeyboardLock(std::string_view password, Focus then)
{
    confirm(password, PasswordBox::LockPassword, {kLockKind, kLockLength, {}, {}, {}}, std::move(then));
}

void PasswordManager::confirmRights(std::string_view password, Focus then)
{
    confirm(password, PasswordBox::RightsPassword, {kRightsKind, kRightsLength, {}, {}, {}}, std::move(then));
}

void PasswordManager::changeRightsPassword(std::string_view old, std::string_view fresh, std::string_view confirmation,
                                           Focus then)
{
    change(old, fresh, confirmation,
           {kRightsKind, kRightsLength, PasswordBox::RightsOld, PasswordBox::RightsNew, PasswordBox::RightsConfirm},
           std::move(then));
}

void PasswordManager::changeKeyboardLockPassword(std::string_view old, std::string_view fresh,
                                                 std::string_view confirmation, Focus then)
{
    change(old, fresh, confirmation,
           {kLockKind, kLockLength, PasswordBox::LockOld, PasswordBox::LockNew, PasswordBox::LockConfirm},
           std::move(then));
}

void PasswordManager::choose(int address, int value)
{
    if (!m_windowReady)
        return;
    m_edits.setValue(address, value);
}

void PasswordManager::keyboardLockChosen(int on)
{
    if (m_lockProven)
        choose(core::kKeyboardLock, on);
}

void PasswordManager::rightsChosen(int administrator)
{
    if (m_rightsProven)
        choose(core::kRightsAddress, administrator);
}

void PasswordManager::lock()
{
    m_lockProven = false;
    m_rightsProven = false;
    m_windowReady = false;
}

void PasswordManager::closing()
{
    lock();
    if (!m_context.link.online())
        return;
    // Both go out whatever becomes of the window: the link outlives it.
    link::DeviceLink& device = m_context.link;
    device.sendCommand(link::Command::Password, kLockKind, kClose, [&device](const link::RequestOutcome& lock) {
        if (lock.answered)
            device.sendCommand(link::Command::Password, kRightsKind, kClose, {});
    });
}

} // namespace quorix::presets
