#include "presets_fixture.h"

#include "presets/password_manager.h"
#include "presets/preset_commands.h"
#include "presets/preset_texts.h"

#include "core/tuning_document.h"

using namespace quorix;
using presets::PasswordBox;

namespace {

struct PasswordManagerTest : PresetsTest {
    core::TuningDocument document{store, view, device, clock};
    presets::PasswordManager manager{context, document.edits(), flow};

    // Each runs the clock until the manager has told where the focus goes.
    PasswordBox focusAfter(const std::function<void(presets::PasswordManager::Focus)>& start)
    {
        return core::AwaitOutcome<PasswordBox>(clock, start);
    }
    PasswordBox confirmLock(std::string_view p)
    {
        return focusAfter([&](auto then) { manager.confirmKeyboardLock(p, then); });
    }
    PasswordBox confirmRights(std::string_view p)
    {
        return focusAfter([&](auto then) { manager.confirmRights(p, then); });
    }
    PasswordBox changeRights(std::string_view old, std::string_view fresh, std::string_view confirm)
    {
        return focusAfter([&](auto then) { manager.changeRightsPassword(old, fresh, confirm, then); });
    }
    PasswordBox changeLock(std::string_view old, std::string_view fresh, std::string_view confirm)
    {
        return focusAfter([&](auto then) { manager.changeKeyboardLockPassword(old, fresh, confirm, then); });
    }

    void SetUp() override
    {
        PresetsTest::SetUp();
        processor.setPasswords("2580", "147258");
    }
    void open()
    {
        manager.opening();
        manager.ready();
    }
};

TEST_F(PasswordManagerTest, ConfirmChecksThenAsksTheProcessor)
{
    connect();
    open();
    const struct {
        const char* entry;
        const char* message; // empty: none
        PasswordBox focus;
        bool sent;
    } cases[] = {
        {"", "", PasswordBox::LockPassword, false},
        {"12.5", "密码只能输入数字0~9", PasswordBox::LockPassword, false},
        {"１２３４", "密码只能输入数字0~9", PasswordBox::LockPassword, false},
        {"258", "密码请输入4位!", PasswordBox::LockPassword, false},
        {"25801", "密码请输入4位!", PasswordBox::LockPassword, false},
        {"0000", "密码错误！", PasswordBox::LockPassword, true},
        {"2580", "", PasswordBox::None, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        flow.messages.clear();
        const int requests = processor.requestsReceived();
        EXPECT_EQ(confirmLock(c.entry), c.focus);
        EXPECT_EQ(flow.messages, *c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        EXPECT_EQ(processor.requestsReceived(), requests + (c.sent ? 1 : 0));
    }
    EXPECT_TRUE(manager.keyboardLockUnlocked());
    EXPECT_FALSE(manager.rightsUnlocked());
    for (std::size_t i = 0; i < core::DigitBuffer::kSize; ++i)
        EXPECT_EQ(digits.at(i), 0) << "no digit stays behind";
    EXPECT_EQ(trace.str().find(" 02 05 08 00"), std::string::npos) << "the trace masks the digits";
}

TEST_F(PasswordManagerTest, RightsPasswordUnlocksTheRightsAndTheChangeRows)
{
    connect();
    open();
    EXPECT_EQ(confirmRights(""), PasswordBox::RightsPassword);
    EXPECT_TRUE(flow.messages.empty());
    EXPECT_EQ(confirmRights("2580"), PasswordBox::RightsPassword);
    EXPECT_EQ(flow.messages, std::vector<std::string>{"密码请输入6位!"});
    EXPECT_EQ(confirmRights("147259"), PasswordBox::RightsPassword);
    EXPECT_FALSE(manager.rightsUnlocked());
    EXPECT_EQ(confirmRights("147258"), PasswordBox::None);
    EXPECT_TRUE(manager.rightsUnlocked());
    EXPECT_FALSE(manager.keyboardLockUnlocked());
}

TEST_F(PasswordManagerTest, OfflineEveryActionIsRefused)
{
    open();
    const int requests = processor.requestsReceived();
    EXPECT_EQ(confirmLock("2580"), PasswordBox::None);
    EXPECT_EQ(confirmRights("147258"), PasswordBox::None);
    EXPECT_EQ(flow.messages, std::vector<std::string>(2, std::string(presets::kPasswordOffline)));
    EXPECT_EQ(processor.requestsReceived(), requests);
}

TEST_F(PasswordManagerTest, RightsPasswordChangeChecksEveryBoxBeforeSending)
{
    connect();
    open();
    ASSERT_EQ(confirmRights("147258"), PasswordBox::None);
    const struct {
        const char *old, *fresh, *confirm, *message;
        PasswordBox focus;
    } cases[] = {
        {"", "111111", "111111", "原始密码请输入!", PasswordBox::RightsOld},
        {"14725a", "111111", "111111", "原始密码只能输入数字0~9", PasswordBox::RightsOld},
        {"14725", "111111", "111111", "原始密码请输入6位!", PasswordBox::RightsOld},
        {"147258", "", "111111", "新密码请输入!", PasswordBox::RightsNew},
        {"147258", "1111-1", "111111", "新密码只能输入数字0~9", PasswordBox::RightsNew},
        {"147258", "1111111", "111111", "新密码请输入6位!", PasswordBox::RightsNew},
        {"147258", "111111", "", "确认密码请输入!", PasswordBox::RightsConfirm},
        {"147258", "111111", "11111x", "确认密码只能输入数字0~9", PasswordBox::RightsConfirm},
        {"147258", "111111", "11111", "确认密码请输入6位!", PasswordBox::RightsConfirm},
        {"147258", "111111", "111112", "新密码和确认密码不一致！", PasswordBox::RightsNew},
    };
    const int requests = processor.requestsReceived();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        flow.messages.clear();
        EXPECT_EQ(changeRights(c.old, c.fresh, c.confirm), c.focus);
        EXPECT_EQ(flow.messages, std::vector<std::string>{c.message});
    }
    EXPECT_EQ(processor.requestsReceived(), requests);
    EXPECT_EQ(processor.rightsPassword(), "147258");
}

TEST_F(PasswordManagerTest, PasswordsAreChangedOnTheProcessor)
{
    connect();
    open();
    ASSERT_EQ(confirmRights("147258"), PasswordBox::None);
    EXPECT_EQ(changeRights("000000", "111111", "111111"), PasswordBox::None);
    EXPECT_EQ(processor.rightsPassword(), "147258");
    EXPECT_EQ(changeRights("147258", "111111", "111111"), PasswordBox::None);
    EXPECT_EQ(processor.rightsPassword(), "111111");
    EXPECT_EQ(changeLock("2580", "9876", "9876"), PasswordBox::None);
    EXPECT_EQ(processor.lockPassword(), "9876");
    EXPECT_EQ(changeLock("25801", "9876", "9876"), PasswordBox::LockOld);
    EXPECT_EQ(flow.messages, (std::vector<std::string>{std::string(presets::kPasswordChangeFailed),
                                                       std::string(presets::kPasswordChanged),
                                                       std::string(presets::kPasswordChanged), "原始密码请输入4位!"}));
}

TEST_F(PasswordManagerTest, OptionsWriteTheirParameterOnlyOnceReadyAndProven)
{
    connect();
    store.at(0, 0xA0E).value = 1;
    const auto selection = manager.opening();
    EXPECT_EQ(selection.keyboardLock, 1);
    EXPECT_EQ(selection.rights, 1);
    const int requests = processor.requestsReceived();
    manager.keyboardLockChosen(1); // the window setting its options
    EXPECT_EQ(processor.requestsReceived(), requests);
    manager.ready();
    ASSERT_EQ(confirmLock("2580"), PasswordBox::None);
    manager.keyboardLockChosen(0);
    EXPECT_EQ(processor.value(0, 0xA0E), 0);
    manager.rightsChosen(0); // rights not proven yet
    EXPECT_EQ(store.at(0, 0xA20).value, 1);
    ASSERT_EQ(confirmRights("147258"), PasswordBox::None);
    manager.rightsChosen(0);
    EXPECT_EQ(processor.value(0, 0xA20), 0);

    presets::PresetCommands commands{context, flow, flow};
    flow.messages.clear();
    EXPECT_FALSE(told([&](auto done) { commands.store(0, done); }));
    EXPECT_EQ(flow.messages, std::vector<std::string>{std::string(presets::kGuestRefusal)});
    ASSERT_TRUE(told([&](auto done) { commands.recall(0, done); }));
    EXPECT_EQ(store.at(0, 0xA20).value, 1) << "the next block read makes the user administrator again";
}

TEST_F(PasswordManagerTest, ClosingSendsTheTwoCloseRequestsAndLocksAgain)
{
    connect();
    open();
    ASSERT_EQ(confirmRights("147258"), PasswordBox::None);
    const auto before = sent().size();
    manager.closing();
    clock.runUntil([&] { return !device.replyWaitActive(); }, 5000);
    const auto requests = sent();
    ASSERT_EQ(requests.size(), before + 2);
    EXPECT_EQ(requests[before].first, "Password");
    EXPECT_EQ(requests[before].second[3], 0);
    EXPECT_EQ(requests[before].second[4], 2);
    EXPECT_EQ(requests[before + 1].second[3], 2);
    EXPECT_EQ(requests[before + 1].second[4], 2);
    EXPECT_FALSE(manager.rightsUnlocked());
    EXPECT_FALSE(manager.windowReady());
}

} // namespace
