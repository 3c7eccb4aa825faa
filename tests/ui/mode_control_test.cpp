#include "dispatch_fixture.h"

#include "core/mode_copy.h"

#include <gtest/gtest.h>

#include <functional>

using namespace quorix;

namespace {

// The user says yes to a mode copy.
struct Modes : ::testing::Test, DispatchFixture {
    Modes() { prompter.answer = true; }
};

} // namespace

TEST_F(Modes, SwitchingModesResetsUndoAndSendsTheMode)
{
    dispatch.sliderScrolled(5, -1, {.value = 300.0f});
    ASSERT_EQ(undo.undoPos(), 0);
    writes.clear();
    modes.modeButtonClicked(1);
    EXPECT_EQ(view.currentMode, 1);
    EXPECT_EQ(store.at(0, 2590).value, 1);
    EXPECT_EQ(undo.undoPos(), -1);
    EXPECT_EQ(window.mode[0], 0);
    EXPECT_EQ(window.mode[1], 1);
    EXPECT_EQ(writes, (std::vector<std::pair<int, int>>{{2590, 0}}));
    modes.modeButtonClicked(0);
    EXPECT_EQ(view.currentMode, 0);
    EXPECT_EQ(undo.undoPos(), -1);
}

TEST_F(Modes, AutomaticControlRefusesManualSwitchesAndReleasesBothButtons)
{
    modes.modeButtonClicked(1);
    writes.clear();
    modes.autoControlClicked(1);
    EXPECT_EQ(view.autoModeControl, 1);
    EXPECT_EQ(store.at(0, 2591).value, 1);
    EXPECT_EQ(window.mode[0] + window.mode[1], 0);
    EXPECT_EQ(window.autoButtons[1], 1);
    modes.modeButtonClicked(0);
    EXPECT_EQ(prompter.messages, std::vector<std::string>{std::string(ui::kModeLockedMessage)});
    EXPECT_EQ(prompter.severities, std::vector<core::Severity>{core::Severity::Warning});
    EXPECT_EQ(view.currentMode, 1);
    EXPECT_EQ(store.at(0, 2590).value, 1);
    modes.autoControlClicked(0);
    EXPECT_EQ(window.mode[1], 1); // the dance button is pressed again
    EXPECT_EQ(writes, (std::vector<std::pair<int, int>>{{2591, 0}, {2591, 0}}));
}

TEST_F(Modes, CopyOfflineCopiesEverythingAndSendsNothing)
{
    online = false;
    store.at(0, 7).band.gain = 333;
    modes.modeCopyClicked();
    EXPECT_EQ(prompter.questions.front(), std::string(core::kCopySingingToDanceQuestion));
    EXPECT_EQ(store.at(1, 7).band.gain, 333);
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(prompter.messages.back(), std::string(core::kCopyDoneMessage));
    EXPECT_FALSE(window.blocked);
}

TEST_F(Modes, CopyOnlineSendsEachModeSpecificParameterOnceInTheOtherMode)
{
    modes.modeCopyClicked();
    int perMode = 0;
    for (int a = 0; a < core::kAddressCount; ++a)
        perMode += store.at(0, a).perMode ? 1 : 0;
    EXPECT_EQ(static_cast<int>(writes.size()), perMode);
    for (const auto& [address, mode] : writes) {
        EXPECT_TRUE(store.at(0, address).perMode) << address;
        EXPECT_EQ(mode, 1);
    }
    EXPECT_EQ(view.currentMode, 0);
}

TEST_F(Modes, UndoAndRedoSendOnlyWhatDiffers)
{
    view.currentKind = 4; // the page of the edits
    dispatch.sliderScrolled(1024, -1, {.value = 50.0f});
    clock.advance(1500);
    dispatch.sliderScrolled(1025, -1, {.value = 60.0f});
    writes.clear();
    modes.undoClicked();
    EXPECT_EQ(store.at(0, 1025).value, 100);
    EXPECT_EQ(writes, (std::vector<std::pair<int, int>>{{1025, 0}}));
    modes.redoClicked();
    EXPECT_EQ(store.at(0, 1025).value, 60);
    online = false;
    writes.clear();
    modes.undoClicked();
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(store.at(0, 1025).value, 100);
}

TEST_F(Modes, UndoAndRedoOfAnEditOnAnotherPageShowThatPage)
{
    dispatch.sliderScrolled(1024, -1, {.value = 50.0f}); // the main output, page 4
    clock.advance(1500);
    dispatch.sliderScrolled(15, -1, {.value = 60.0f}); // then the music page
    clock.advance(1500);
    view.currentKind = 1;
    modes.undoClicked();
    modes.undoClicked();
    view.currentKind = 4; // shown by the host
    modes.redoClicked();  // this page changed: it stays
    view.currentKind = 2;
    modes.redoClicked();
    EXPECT_EQ(window.pagesShown, (std::vector<int>{0, 4, 0}));
}

TEST_F(Modes, ADanceToSingingCopyOfDanceValuesNeverReadAsksSayingSo)
{
    const struct {
        const char* name;
        std::function<void(DispatchFixture&)> before;
        std::string_view question;
    } cases[] = {
        {"never read", [](DispatchFixture&) {}, core::kUnreadDanceCopyQuestion},
        {"one value edited, the others never read", [](DispatchFixture& m) { m.record.editedOffline(1, 0x0F); },
         core::kUnreadDanceCopyQuestion},
        {"every page read but the centre output, which the protocol cannot read",
         [](DispatchFixture& m) {
             for (int kind = 0; kind < 8; ++kind)
                 if (kind != 6)
                     m.record.kindRead(1, kind);
         },
         core::kUnreadDanceCopyQuestion},
        {"every dance value read, written or edited",
         [](DispatchFixture& m) {
             for (int kind = 0; kind < 8; ++kind)
                 m.record.kindRead(1, kind);
             m.record.writeLost(1, 5 * 256);
         },
         core::kCopyDanceToSingingQuestion},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DispatchFixture fixture;
        fixture.view.currentMode = 1;
        c.before(fixture);
        fixture.prompter.questions.clear();
        fixture.prompter.answer = false;
        fixture.modes.modeCopyClicked();
        EXPECT_EQ(fixture.prompter.questions, std::vector<std::string>{std::string(c.question)});
    }
}
