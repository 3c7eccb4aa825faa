#include "console_fixture.h"

#include "ui/compare_window.h"
#include "ui/link_screen.h"
#include "ui/page_panel.h"
#include "ui/window_sizing.h"

#include "tables/tuning_window_table.h"

#include "graph/response_plot.h"

#include "controls/skinned_button.h"
#include "controls/skinned_drop_down.h"
#include "controls/skinned_fader.h"

#include "core/address_map.h"
#include "core/common_addresses.h"
#include "core/tuning_document.h"

#include <QAccessible>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

using namespace quorix;
using tables::ControlArray;

namespace {

struct MainWindow : ::testing::Test, ConsoleFixture {
    void SetUp() override { load(); }

    // A user change on a slider: its value, then the event it raises.
    void move(controls::SkinnedFader* slider, float raw)
    {
        slider->setValue(raw);
        slider->notifyScrolled();
    }
    void click(QWidget* widget)
    {
        QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(widget->width() / 2, widget->height() / 2));
    }
};

} // namespace

TEST_F(MainWindow, ConnectsReadsTheProcessorAndShowsTheFirstPage)
{
    auto band = processor().band(0, 4);
    band.gain = 320;
    processor().setBand(0, 4, band);
    processor().setValue(0, 2560, 44);
    connect();
    EXPECT_EQ(frm().windowTitle(), "Quorix_Series - 已联机");
    EXPECT_EQ(frm().named("cmdConnectStatus")->value(), 1);
    EXPECT_TRUE(frm().panel(0)->isVisible());
    EXPECT_EQ(frm().slider(0)->value(), 44.0f);
    EXPECT_EQ(frm().slider(7)->value(), 320.0f); // EQ5 of the music page, set by the graph
    EXPECT_EQ(session.store().at(0, 4).band.gain, 320);
}

// A value the processor was never read for is drawn as the console's own until it is read or written.
TEST_F(MainWindow, ValuesNeverReadFromTheProcessorAreMarked)
{
    const auto fader = [&](int kind) -> controls::SkinnedFader* {
        for (int i = 0; i < 183; ++i)
            if (controls::SkinnedFader* s = frm().slider(i); s && s->address / 256 == kind)
                return s;
        return nullptr;
    };
    controls::SkinnedFader* music = fader(0);
    controls::SkinnedFader* mic34 = fader(2);
    ASSERT_TRUE(music && mic34);
    EXPECT_TRUE(music->neverRead()) << "nothing was read yet";
    connect();
    EXPECT_FALSE(music->neverRead());
    EXPECT_TRUE(mic34->neverRead()) << "the protocol cannot read Mic34";
    move(mic34, 40);
    clock.advance(1000);
    EXPECT_FALSE(mic34->neverRead()) << "written and answered";
}

TEST_F(MainWindow, ASliderOnEachKindOfPageReachesTheStoreAndTheProcessor)
{
    connect();
    struct Case {
        int page;
        int slider;
        int address;
        float raw;
    };
    const Case cases[] = {{0, 126, 15, 40},  {1, 125, 256 + 0x10, 200},  {3, 143, 768, 30},
                          {4, 68, 1028, 70}, {7, 122, 1792 + 0x14, 500}, {2, 182, 512 + 0x14, 90}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slider);
        frm().pages().showPage(c.page);
        move(frm().slider(c.slider), c.raw);
        clock.advance(100);
        EXPECT_EQ(session.store().at(0, c.address).value, static_cast<int>(c.raw));
        EXPECT_EQ(processor().working().at(0, c.address).value, static_cast<int>(c.raw));
    }
}

TEST_F(MainWindow, EffectsThirdsPlaceTheirSlidersAndTheBypassFollowsTheThird)
{
    frm().pages().showPage(3);
    frm().pages().showThird(1);
    for (int i = 0; i < 15; ++i) {
        controls::SkinnedFader* s = frm().slider(tables::kEffectsFirstEqSlider + i);
        const bool reverb = i >= 5 && i < 10;
        EXPECT_EQ(s->x(), reverb ? tables::EffectsEqSliderLeft(i - 5) : tables::TuningWindowGeometry::kOutOfView) << i;
    }
    session.document().edits().setValue(2560 + 0x2B, 1);
    EXPECT_EQ(frm().named("cmdByPass")->value(), 1);
    frm().pages().showThird(0);
    EXPECT_EQ(frm().named("cmdByPass")->value(), 0);
}

TEST_F(MainWindow, VariantThreeDisablesTheOptionalPagesAndShowsPageZero)
{
    processor().setVariant('3');
    frm().pages().showPage(4);
    connect();
    EXPECT_TRUE(frm().panel(0)->isVisible());
    for (controls::SkinnedButton* b : {frm().button(ControlArray::CmdPage, 2), frm().button(ControlArray::CmdPage, 5),
                                       frm().named("cmdRecordPage"), frm().button(ControlArray::OptionInput, 2)})
        EXPECT_FALSE(b->buttonEnabled());
    EXPECT_TRUE(frm().button(ControlArray::CmdPage, 1)->buttonEnabled());
}

TEST_F(MainWindow, LetterKeysStepTheMasterSlidersWithinTheirLimits)
{
    connect();
    frm().slider(0)->setValue(79);
    QTest::keyClick(&frm(), Qt::Key_Q);
    QTest::keyClick(&frm(), Qt::Key_Q);
    EXPECT_EQ(session.store().at(0, 2560).value, 80);
    clock.advance(100);
    EXPECT_EQ(processor().working().at(0, 2560).value, 80);
    QTest::keyClick(&frm(), Qt::Key_Q, Qt::ShiftModifier);
    QTest::keyClick(&frm(), Qt::Key_D);
    EXPECT_EQ(session.store().at(0, 2562).value, 31);
    EXPECT_EQ(frm().history().undoPos(), -1); // common parameters make no undo step
}

TEST_F(MainWindow, NoControlCoversALabelOfTheTopRow)
{
    std::vector<QRect> controls;
    for (QWidget* child : frm().findChildren<QWidget*>())
        if (child->parentWidget() == &frm() &&
            (qobject_cast<controls::SkinnedButton*>(child) || qobject_cast<controls::SkinnedFader*>(child)))
            controls.push_back(child->geometry());
    for (ui::PagePanel* panel : frm().findChildren<ui::PagePanel*>()) {
        if (panel->geometry() != frm().rect())
            continue; // the window's own surface, which draws the labels of the top row
        ASSERT_FALSE(panel->labelRects().empty());
        for (const QRect& label : panel->labelRects())
            for (const QRect& control : controls)
                EXPECT_FALSE(label.intersects(control)) << "label at " << label.x() << "," << label.y();
    }
}

TEST_F(MainWindow, ThePageTheThirdAndTheModeOnShowArePressedBeforeAnyConnection)
{
    const auto pressed = [&](ControlArray array, int count) {
        std::vector<int> values;
        for (int i = 0; i < count; ++i)
            values.push_back(frm().button(array, i)->value());
        return values;
    };
    EXPECT_EQ(pressed(ControlArray::CmdPage, 8), (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(frm().named("cmdBassMode", 0)->value(), 1);
    EXPECT_EQ(frm().named("cmdBassMode", 1)->value(), 0);
    EXPECT_EQ(frm().named("cmdBassAutoControl2", 0)->value(), 1);
    click(frm().button(ControlArray::CmdPage, 3));
    EXPECT_EQ(pressed(ControlArray::Command3, 3), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(pressed(ControlArray::CmdPage, 8), (std::vector<int>{0, 0, 0, 1, 0, 0, 0, 0}));
}

TEST_F(MainWindow, ShortcutsSwitchPagesAndUndo)
{
    QTest::keyClick(&frm(), Qt::Key_5, Qt::ControlModifier);
    EXPECT_EQ(session.view().currentKind, 4);
    move(frm().slider(60), 40);
    EXPECT_EQ(session.store().at(0, 1024).value, 40);
    QTest::keyClick(&frm(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(session.store().at(0, 1024).value, 100);
    QTest::keyClick(&frm(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(session.store().at(0, 1024).value, 40);
}

TEST(WindowSizing, PointerZonesNearTheRightAndBottomEdges)
{
    const QSize size(1000, 600);
    const int w = size.width();
    const int h = size.height();
    using ui::SizingEdge;
    const struct {
        QPoint at;
        SizingEdge edge;
    } cases[] = {{{w - 7, h - 7}, SizingEdge::RightBottom},
                 {{w - 7, 100}, SizingEdge::Right},
                 {{100, h - 7}, SizingEdge::Bottom},
                 {{w - 3, h - 3}, SizingEdge::None},
                 {{w - 10, h - 10}, SizingEdge::None}};
    for (const auto& c : cases)
        EXPECT_EQ(ui::EdgeAt(c.at, size, 5), c.edge) << c.at.x() << "," << c.at.y();
}

TEST_F(MainWindow, ResizingLaysOutTheGraphAndTheModeButtons)
{
    frm().resize(1200, 700);
    EXPECT_EQ(frm().plot().height(), 700 - 355);
    EXPECT_EQ(frm().plot().width(), 1200 - 15);
    EXPECT_EQ(frm().named("cmdBassMode", 0)->x(), 1185 - 154);
    frm().resize(600, 300);
    EXPECT_GE(frm().width(), 980);
    EXPECT_GE(frm().height(), 520);
}

TEST_F(MainWindow, ClosingAsksToSaveQuietsTheLinkAndUnloads)
{
    connect();
    prompter.answer = true;
    frm().requestClose(ui::TuningWindow::CloseScope::Program);
    EXPECT_EQ(prompter.questions.back(), std::string(ui::kExitQuestion));
    EXPECT_EQ(actions.exitSave, 1);
    EXPECT_EQ(actions.unloaded, 1);
    EXPECT_FALSE(clock.hasActiveTimers()); // every timer of the window and the link is stopped
}

TEST_F(MainWindow, TheSaveDialogsCancelReturnsToTheConsole)
{
    connect();
    prompter.answer = true;
    actions.cancelExitSave = true;
    EXPECT_FALSE(frm().requestClose(ui::TuningWindow::CloseScope::Program));
    EXPECT_EQ(actions.exitSave, 1);
    EXPECT_EQ(actions.unloaded, 0);
    EXPECT_TRUE(session.link().online());
    EXPECT_TRUE(clock.hasActiveTimers());

    actions.cancelExitSave = false; // asked again, it closes
    EXPECT_TRUE(frm().requestClose(ui::TuningWindow::CloseScope::Program));
    EXPECT_EQ(actions.unloaded, 1);
}

TEST_F(MainWindow, AReloadWhileOnlineReadsTheProcessorAgain)
{
    connect();
    frm().requestClose(ui::TuningWindow::CloseScope::Window);
    window.reset();
    processor().setValue(0, 1024, 77);
    load();
    EXPECT_EQ(session.store().at(0, 1024).value, 100); // the defaults, until the read
    clock.advance(300);
    EXPECT_EQ(session.store().at(0, 1024).value, 77);
    EXPECT_EQ(frm().windowTitle(), "Quorix_Series - 已联机"); // the link did not come online again: it was
    EXPECT_EQ(frm().named("cmdConnectStatus")->value(), 1);
}

// The reloaded window's read, not its defaults, is what later edits are measured from:
// a reconnection without edits reads the processor onto the screen, asking nothing.
TEST_F(MainWindow, TheReadOfAReloadedWindowIsTheBasisOfTheNextReconnection)
{
    connect();
    frm().requestClose(ui::TuningWindow::CloseScope::Window);
    window.reset();
    load();
    clock.advance(300);
    session.simulatorPort()->unplug();
    clock.advance(6000);
    processor().setValue(0, 1024, 77);
    session.simulatorPort()->replug();
    connect();
    EXPECT_EQ(frm().findChild<ui::CompareWindow*>(), nullptr);
    EXPECT_EQ(session.store().at(0, 1024).value, 77);
}

// A read that broke off has not shown what the processor holds: an edit it did not
// reach is still unconfirmed, and the next reconnection asks before reading over it.
TEST_F(MainWindow, AReadThatBrokeOffIsNotTheBasisOfTheNextReconnection)
{
    connect();
    session.link().offlineModeChosen();
    frm().edits().setValue(1024, 55); // main output, offline
    session.link().onlineModeChosen();
    connect();
    delete frm().findChild<ui::CompareWindow*>(); // the comparison is left without a choice

    processor().resizeNextBlock(2); // the first block of the next read is refused
    EXPECT_FALSE(readFromDevice(0, false, link::Command::ReadBlock));
    session.simulatorPort()->unplug();
    clock.advance(6000);
    session.simulatorPort()->replug();
    connect();
    EXPECT_NE(frm().findChild<ui::CompareWindow*>(), nullptr);
    EXPECT_EQ(session.store().at(0, 1024).value, 55);
}

TEST_F(MainWindow, ALinkThatKeepsDroppingIsToldOncePerOutage)
{
    connect();
    QSignalSpy captions(&frm(), &ui::TuningWindow::captionChanged);
    const auto losses = [&] {
        return std::count_if(captions.begin(), captions.end(),
                             [](const QList<QVariant>& c) { return c[0].toString() == "Quorix_Series - 断开"; });
    };
    // Keep-alives go unanswered while the handshake still is: lost, found, read, lost again.
    processor().setKeepAliveSilent(true);
    clock.advance(25000);
    EXPECT_GE(losses(), 4);
    EXPECT_EQ(prompter.count(ui::kLinkLostMessage), 1);

    processor().setKeepAliveSilent(false);
    clock.advance(31000); // up for 30 s: the outage is over
    processor().setKeepAliveSilent(true);
    clock.advance(6000);
    EXPECT_EQ(prompter.count(ui::kLinkLostMessage), 2);
}

// A room held by another console is refused at every renewal: told once, and again after it was had.
TEST_F(MainWindow, ARemoteRoomsRefusalIsToldOnceAndStaysOnTheConnectionButton)
{
    const std::string held = "the room is tuned remotely from laptop.4711";
    for (int renewal = 0; renewal < 3; ++renewal)
        frm().linkScreen().showRemoteProblem(held);
    frm().linkScreen().showRemoteProblem("the broker: the connection to the broker was lost");
    clock.advance(1);
    EXPECT_EQ(prompter.told(core::Severity::Warning),
              (std::vector<std::string>{std::string(ui::kRemoteProblemMessage) + held,
                                        std::string(ui::kRemoteProblemMessage) +
                                            "the broker: the connection to the broker was lost"}));
    EXPECT_EQ(frm().named("cmdConnectStatus")->toolTip(),
              "远程房间：the broker: the connection to the broker was lost");
    connect();
    EXPECT_EQ(frm().named("cmdConnectStatus")->toolTip(), "连接");
    frm().linkScreen().showRemoteProblem(held);
    clock.advance(1);
    EXPECT_EQ(prompter.count(std::string(ui::kRemoteProblemMessage) + held), 2);
}

TEST_F(MainWindow, ALinkMessageIsShownAfterTheStepThatCausedItHasEnded)
{
    processor().resizeNextBlock(2);
    bool readRunning = true;
    prompter.onMessage = [&] { readRunning = !frm().isEnabled() || session.link().replyWaitActive(); };
    connect();
    ASSERT_EQ(prompter.count(ui::kCountMismatchMessage), 1);
    EXPECT_FALSE(readRunning);
}

TEST_F(MainWindow, OfflineModeShowsTheLinkSwitchedOff)
{
    connect();
    session.link().offlineModeChosen();
    EXPECT_EQ(frm().windowTitle(), "Quorix_Series - 脱机模式");
    EXPECT_EQ(frm().named("cmdConnectStatus")->value(), 2); // not the search's image
    session.link().onlineModeChosen();
    EXPECT_EQ(frm().named("cmdConnectStatus")->value(), 0);
    connect();
    EXPECT_EQ(frm().named("cmdConnectStatus")->value(), 1);
}

TEST_F(MainWindow, ToneButtonsOfflineReturnToNeutral)
{
    click(frm().named("ToneAdd"));
    EXPECT_EQ(frm().named("ToneLabel")->value(), 6);
    clock.advance(500);
    EXPECT_EQ(frm().named("ToneLabel")->value(), 5);
}

TEST_F(MainWindow, ButtonsReachTheirActions)
{
    for (const char* name : {"cmdOpen", "cmdSave", "cmdLoad", "cmdSaveDevice", "cmdOption", "cmdRecordPage"})
        click(frm().named(name));
    frm().pages().showPage(3);
    click(frm().named("MBtnFlag2"));
    EXPECT_EQ(actions.opened + actions.saved + actions.recall + actions.store + actions.settings + actions.recording +
                  actions.effect,
              7);
}

TEST_F(MainWindow, EachControlReachesTheCallItsRowNames)
{
    connect();
    const auto clickAndWait = [&](QWidget* widget) {
        click(widget);
        clock.advance(100);
    };
    const auto pick = [&](controls::SkinnedDropDown* combo, int item) {
        combo->setValue(item);
        emit combo->click(item);
        clock.advance(100);
    };
    const auto common = [&](int n) { return processor().value(0, core::kCommonBase + n); };

    clickAndWait(frm().button(ControlArray::OptionInput, 3));
    EXPECT_EQ(common(0x03), 3);
    EXPECT_EQ(frm().button(ControlArray::OptionInput, 3)->value(), 1);
    clickAndWait(frm().button(ControlArray::SingleMute, 1));
    EXPECT_EQ(common(0x22), 1);
    clickAndWait(frm().named("ToneSub"));
    EXPECT_EQ(frm().named("ToneLabel")->value(), 4);
    EXPECT_EQ(common(0x26), 4);

    clickAndWait(frm().button(ControlArray::CmdPage, 1));
    clickAndWait(frm().button(ControlArray::OptionFBX, 2));
    EXPECT_EQ(common(0x0C), 2);

    clickAndWait(frm().button(ControlArray::CmdPage, 4));
    EXPECT_EQ(session.view().currentKind, 4);
    clickAndWait(frm().button(ControlArray::MyMute, 1));
    EXPECT_EQ(common(0x11), 1);
    clickAndWait(frm().named("cmdByPass"));
    EXPECT_EQ(common(0x16 + 4), 1);
    pick(frm().combo(0), 1); // the main output's high-pass type
    EXPECT_EQ(processor().value(0, 1024 + 6), 1);

    clickAndWait(frm().button(ControlArray::CmdPage, 3));
    clickAndWait(frm().button(ControlArray::Command3, 2));
    EXPECT_EQ(session.view().effectsSubPage, 2);
    pick(frm().combo(5), 3); // the reverb mode brings its preset and locks the effect window
    EXPECT_EQ(processor().value(0, 768 + 0x2A), 3);
    EXPECT_EQ(session.store().at(0, 768 + 0x14).value, 700);
    EXPECT_FALSE(frm().named("MBtnFlag2")->buttonEnabled());

    clickAndWait(frm().named("cmdBassMode", 1));
    EXPECT_EQ(session.view().currentMode, 1);
    clickAndWait(frm().named("cmdBassAutoControl2", 1));
    EXPECT_EQ(session.view().autoModeControl, 1);
    EXPECT_EQ(common(0x1F), 1);

    clickAndWait(frm().named("cmdConnectStatus"));
    EXPECT_FALSE(session.link().online());
    EXPECT_EQ(frm().named("cmdConnectStatus")->value(), 2);
}

TEST_F(MainWindow, ControlsAreFoundByTheirNamesAndIndexes)
{
    EXPECT_EQ(frm().findChild<controls::SkinnedButton*>("MBtnFlag2"), frm().named("MBtnFlag2"));
    const auto tabs = frm().findChildren<controls::SkinnedButton*>("cmdPage");
    ASSERT_EQ(tabs.size(), 8);
    for (controls::SkinnedButton* tab : tabs)
        EXPECT_EQ(tab, frm().button(ControlArray::CmdPage, tab->property("index").toInt()));
    for (controls::SkinnedFader* slider : frm().findChildren<controls::SkinnedFader*>("MyScrollBar"))
        EXPECT_EQ(slider, frm().slider(slider->property("index").toInt()));
}

TEST_F(MainWindow, SlidersAreNamedAndValuedForScreenReaders)
{
    QAccessibleInterface* master = QAccessible::queryAccessibleInterface(frm().slider(0));
    ASSERT_NE(master, nullptr);
    EXPECT_EQ(master->role(), QAccessible::Slider);
    EXPECT_EQ(master->text(QAccessible::Name), "音乐");
    EXPECT_EQ(master->text(QAccessible::Value), "20");
    master->valueInterface()->setCurrentValue(30);
    EXPECT_EQ(session.store().at(0, 2560).value, 30);

    QAccessibleInterface* band = QAccessible::queryAccessibleInterface(frm().slider(3));
    EXPECT_EQ(band->text(QAccessible::Value), "8.0dB, 25.3Hz, Q 1.00");
    QAccessibleInterface* cut = QAccessible::queryAccessibleInterface(frm().slider(126));
    EXPECT_EQ(cut->text(QAccessible::Name), "高通频点");
}

TEST(ConsoleSession, TheVirtualProcessorsMemoryOutlivesTheConsole)
{
    QTemporaryDir dir;
    const std::filesystem::path memory = QDir(dir.path()).filePath("processor.qxm").toStdString();
    {
        core::ManualScheduler clock;
        app::ConsoleSession session(clock, nullptr, {.simulator = true, .simulatorMemory = memory});
        EXPECT_TRUE(session.memoryProblem().empty());
        session.processor()->setValue(0, 1024, 66);
    }
    core::ManualScheduler clock;
    app::ConsoleSession again(clock, nullptr, {.simulator = true, .simulatorMemory = memory});
    EXPECT_EQ(again.processor()->value(0, 1024), 66);

    const std::filesystem::path foreign = QDir(dir.path()).filePath("foreign").toStdString();
    std::ofstream(foreign) << "not a memory file";
    {
        app::ConsoleSession refused(clock, nullptr, {.simulator = true, .simulatorMemory = foreign});
        EXPECT_FALSE(refused.memoryProblem().empty());
    }
    std::ifstream kept(foreign);
    std::string text;
    std::getline(kept, text);
    EXPECT_EQ(text, "not a memory file"); // a file that could not be read is not overwritten
}

// Undo, the comparison, a filter import or another window change the document, never
// the controls: every control bound to a changed copy shows it, and a copy of the
// mode not on show leaves the screen alone.
TEST_F(MainWindow, ChangesOfTheDocumentShowThemselves)
{
    connect();
    core::ParamEditor& edits = session.document().edits();
    constexpr int kAddress = 1024; // the main output's music level, per mode
    frm().pages().showPage(4);
    controls::SkinnedFader* level = nullptr;
    for (int i = 3; i < 183 && !level; ++i)
        if (controls::SkinnedFader* s = frm().slider(i); s && s->address == kAddress)
            level = s;
    ASSERT_NE(level, nullptr);
    edits.setValue(kAddress, 7);
    EXPECT_EQ(level->value(), 7.0f);
    frm().pages().showPage(0);

    core::ParamRecord band = session.store().at(0, 4);
    band.band.gain = 180;
    edits.takeFromProcessor(0, 4, band); // EQ5 of the music page, a graph point and its fader
    EXPECT_EQ(frm().slider(7)->value(), 180.0f);
    const auto& points = frm().plot().display().points();
    EXPECT_TRUE(std::any_of(points.begin(), points.end(),
                            [](const graph::CurvePoint& p) { return p.address == 4 && p.band.gain == 180; }));

    edits.setValue(core::kMasterMutes + 2, 1);
    EXPECT_EQ(frm().button(ControlArray::SingleMute, 2)->value(), 1);

    frm().pages().showPage(4);
    core::ParamRecord dance = session.store().at(1, kAddress);
    dance.value = 9;
    edits.setCopy(1, kAddress, dance);
    EXPECT_EQ(level->value(), 7.0f);
}
