#include "../ui/console_fixture.h"

#include "ui/compare_window.h"

#include "graph/graph_editor.h"
#include "graph/response_plot.h"

#include "controls/skinned_button.h"
#include "controls/skinned_fader.h"

#include "link/block_layout.h"

#include "core/address_map.h"
#include "core/rounding.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace quorix;

namespace {

struct ConsoleJourney : ::testing::Test, ConsoleFixture {
    void SetUp() override { load(); }
    void TearDown() override { EXPECT_EQ(processor().refusals().count(), 0); }

    void expectStoreMatchesProcessor()
    {
        const core::ParamStore theirs = processor().working();
        for (int kind : {0, 1, 3, 4, 7, 8, 10})
            for (int a = core::KindFirst(kind); a <= core::KindLast(kind); ++a) {
                if (a == 0xA20)
                    continue; // the console sets the rights itself after a read
                const core::ParamRecord& o = session.store().at(0, a);
                const core::ParamRecord& t = theirs.at(0, a);
                if (link::TravelsAsBand(a))
                    EXPECT_TRUE(o.band.gain == t.band.gain && o.band.freqIndex == t.band.freqIndex &&
                                o.band.qIndex == t.band.qIndex && o.band.shape == t.band.shape &&
                                o.band.shelfQIndex == t.band.shelfQIndex && o.band.bandOff == t.band.bandOff)
                        << "address " << a;
                else
                    EXPECT_EQ(o.value, t.value) << "address " << a;
            }
    }
};

} // namespace

TEST_F(ConsoleJourney, ConnectEditUndoCopyUnplugReplugAndClose)
{
    connect();
    ASSERT_EQ(frm().windowTitle(), "Quorix_Series - 已联机");

    // Page 0 by a slider bound to the graph: the high-pass frequency.
    controls::SkinnedFader* highPass = frm().slider(126);
    highPass->setValue(40);
    highPass->notifyScrolled();
    clock.advance(50);
    EXPECT_EQ(processor().value(0, 15), 40);

    // Page 4 on the graph: the selected band's gain by the keyboard of the graph.
    frm().pages().showPage(4);
    clock.advance(1200);
    QTest::keyClick(&frm().plot(), Qt::Key_Up);
    clock.advance(50);
    EXPECT_EQ(session.store().at(0, 1024 + 8).band.gain, 251);
    EXPECT_EQ(processor().band(0, 1024 + 8).gain, 251);

    // Page 7 by a button, and a master level by the letter keys.
    frm().pages().showPage(7);
    clock.advance(1200);
    QTest::mouseClick(frm().button(tables::ControlArray::MyBTN, 2), Qt::LeftButton);
    QTest::keyClick(&frm(), Qt::Key_W);
    clock.advance(50);
    EXPECT_EQ(processor().value(0, 1792 + 6), 1);
    EXPECT_EQ(processor().value(0, 2561), 24);

    // Undo takes the phase back on the processor too.
    QTest::keyClick(&frm(), Qt::Key_Z, Qt::ControlModifier);
    clock.advance(50);
    EXPECT_EQ(processor().value(0, 1792 + 6), 0);

    // Copy singing onto dance: the dance set of the processor follows.
    prompter.answer = true;
    QTest::mouseClick(frm().named("cmdModeCopy"), Qt::LeftButton);
    EXPECT_EQ(prompter.messages.back(), "完成!");
    // The copy's writes are queued: the click returned at once, the link sends them one by one.
    clock.runUntil([&] { return processor().band(1, 1024 + 8).gain == 251; }, 20000);
    EXPECT_EQ(processor().band(1, 1024 + 8).gain, 251);

    // Unplugged: the link is lost after about five seconds; an offline edit reaches only the store.
    session.simulatorPort()->unplug();
    clock.advance(6000);
    EXPECT_EQ(prompter.count("与目标通信连接超时，已断开连接。"), 1);
    EXPECT_EQ(frm().windowTitle(), "Quorix_Series - 断开");
    frm().slider(113)->setValue(60);
    frm().slider(113)->notifyScrolled();
    EXPECT_EQ(session.store().at(0, 1792).value, 60);

    // Plugged in again: the offline edit is not read over; the comparison offers to write it.
    const int theirs = processor().value(0, 1792);
    session.simulatorPort()->replug();
    connect();
    EXPECT_EQ(frm().windowTitle(), "Quorix_Series - 已联机");
    auto* compare = frm().findChild<ui::CompareWindow*>();
    ASSERT_NE(compare, nullptr);
    EXPECT_TRUE(compare->isVisible());
    EXPECT_EQ(session.store().at(0, 1792).value, 60);
    EXPECT_EQ(processor().value(0, 1792), theirs);
    compare->findChild<QPushButton*>("CompareWrite")->click();
    settle();
    EXPECT_EQ(processor().value(0, 1792), 60);
    EXPECT_FALSE(compare->hasDifferences());
    expectStoreMatchesProcessor();

    // Without edits since that read, the next reconnection reads the processor onto the screen.
    delete compare;
    session.simulatorPort()->unplug();
    clock.advance(6000);
    processor().setValue(0, 1792, 33);
    session.simulatorPort()->replug();
    connect();
    EXPECT_EQ(session.store().at(0, 1792).value, 33);
    EXPECT_EQ(frm().findChild<ui::CompareWindow*>(), nullptr);

    frm().requestClose(ui::TuningWindow::CloseScope::Window);
    EXPECT_EQ(actions.unloaded, 1);
}

TEST_F(ConsoleJourney, ASliderDraggedAtSixtyEventsASecondEndsOnTheProcessorAtItsLastValue)
{
    connect();
    frm().pages().showPage(4);
    controls::SkinnedFader* music = frm().slider(60); // main output music level, 0..150
    std::vector<std::unique_ptr<core::Timer>> events;
    int wrong = 0;
    for (int step = 0; step <= 150; ++step) {
        events.push_back(clock.createTimer(17 * step + 1, true, [&, step] {
            music->setValue(static_cast<float>(step));
            music->notifyScrolled();
            wrong += session.store().at(0, 1024).value == core::RoundHalfEven(music->value()) ? 0 : 1; // at once
        }));
        events.back()->start();
    }
    clock.advance(17 * 151 + 2000);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(processor().value(0, 1024), core::RoundHalfEven(music->value()));
    EXPECT_EQ(session.store().at(0, 1024).value, core::RoundHalfEven(music->value()));
    EXPECT_TRUE(session.link().online());
}
