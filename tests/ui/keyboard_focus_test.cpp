#include "console_fixture.h"

#include "ui/console_frame.h"

#include "graph/response_plot.h"

#include "controls/skinned_button.h"
#include "controls/skinned_fader.h"

#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace quorix;

namespace {

constexpr int kMusicMaster = 2560;
constexpr int kMusicHighPass = 0x0F; // a per-mode parameter, so an edit makes an undo step

// The frame with its main window, as the program runs it, and keys sent where
// the window system sends them: the focused widget, else the active window.
struct Keyboard : ::testing::Test, ConsoleFixture {
    ui::ConsoleFrame frame{session, prompter};

    void SetUp() override
    {
        frame.show();
        QApplication::setActiveWindow(&frame);
        connect();
    }
    ui::TuningWindow& main() { return *frame.mainWindow(); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
        ASSERT_NE(target, nullptr);
        QTest::keyClick(target, key, modifiers);
        clock.advance(100);
    }
    void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center()); }
    void clickGraph() { QTest::mouseClick(&main().plot(), Qt::LeftButton, {}, QPoint(30, 30)); }
    int stored(int address) { return session.store().at(0, address).value; }
    void editHighPass(int value)
    {
        controls::SkinnedFader* highPass = main().slider(126);
        highPass->setValue(static_cast<float>(value));
        highPass->notifyScrolled();
        clock.advance(1500); // the end of the undo burst
    }
};

TEST_F(Keyboard, KeysKeepWorkingAfterUndoButtonsAndReads)
{
    const struct {
        const char* name;
        std::function<void(Keyboard&)> action;
    } cases[] = {
        {"Ctrl+Z", [](Keyboard& k) { k.press(Qt::Key_Z, Qt::ControlModifier); }},
        {"the undo button", [](Keyboard& k) { k.click(k.main().named("cmdUndo")); }},
        {"the bypass button", [](Keyboard& k) { k.click(k.main().named("cmdByPass")); }},
        {"a full read with its progress bar",
         [](Keyboard& k) { ASSERT_TRUE(k.readFromDevice(0, true, link::Command::ReadBlock)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        clickGraph();
        ASSERT_EQ(QApplication::focusWidget(), &main().plot());
        editHighPass(60);
        c.action(*this);
        // A click on a control that takes no focus gives it to the window, as Qt does.
        EXPECT_TRUE(QApplication::focusWidget() == &main().plot() || QApplication::focusWidget() == &main())
            << "the focus returns where it was, or to the window";

        const int master = stored(kMusicMaster);
        press(Qt::Key_A);
        EXPECT_EQ(stored(kMusicMaster), master - 1);
        editHighPass(70);
        press(Qt::Key_Z, Qt::ControlModifier);
        EXPECT_NE(stored(kMusicHighPass), 70) << "a second undo runs";
    }
}

TEST_F(Keyboard, TheWindowTakesTheFocusWhenItsFocusedControlIsGone)
{
    main().pages().showPage(1);
    controls::SkinnedFader* pageSlider = main().slider(18);
    pageSlider->setFocus(Qt::MouseFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), pageSlider);
    main().setBusy(true);
    main().pages().showPage(0); // the page's slider is hidden while the window is busy
    main().setBusy(false);
    EXPECT_EQ(QApplication::focusWidget(), &main());
    const int master = stored(kMusicMaster);
    press(Qt::Key_A);
    EXPECT_EQ(stored(kMusicMaster), master - 1);
}

} // namespace
