#include "graph_fixture.h"

#include "core/value_tables.h"

#include <gtest/gtest.h>

using namespace quorix;
using namespace quorix::graph;

namespace {

struct Editing : ::testing::Test, GraphFixture {};

} // namespace

TEST_F(Editing, DraggingABandMovesItAndQueuesAWritePerMove)
{
    showPage(0);
    const auto [x, y] = marker(4); // EQ5, 160 Hz, 0 dB
    editor.press(x, y, GraphEditor::Left);
    EXPECT_TRUE(editor.dragging());
    EXPECT_EQ(display.selected(), 4);
    const auto& g = display.geometry();
    editor.drag(g.frequencyToX(1000), g.dbToY(6));
    editor.drag(g.frequencyToX(1000), g.dbToY(6.5f));
    EXPECT_EQ(store.at(0, 4).band.freqIndex, 205);
    EXPECT_EQ(store.at(0, 4).band.gain, 315);
    EXPECT_EQ(store.at(1, 4).band.gain, 250);    // the music bands are per mode
    EXPECT_EQ(writes, (std::vector<int>{4, 4})); // the link keeps only the newest while one waits
    editor.release();
    EXPECT_EQ(undo.undoPos(), 0);         // the drag is one undo step
    EXPECT_EQ(sliders.values.size(), 0u); // no slider bound on this fixture's page
}

TEST_F(Editing, SharedBandsAreMirroredAndShownOnTheirSlider)
{
    sliders.byAddress[256 + 3] = 21;
    showPage(1);
    EXPECT_EQ(sliders.bound[21], 2);
    const auto [x, y] = marker(2);
    editor.press(x, y, GraphEditor::Left);
    editor.drag(x, display.geometry().dbToY(-3));
    EXPECT_EQ(store.at(0, 259).band.gain, 220);
    EXPECT_EQ(store.at(1, 259).band.gain, 220);
    EXPECT_EQ(sliders.values[21], 220);
    EXPECT_TRUE(sliders.highlighted[21]);
}

TEST_F(Editing, GainAndFrequencyStayWithinTheirLimits)
{
    showPage(0);
    auto [x, y] = marker(4);
    editor.press(x, y, GraphEditor::Left);
    editor.drag(x, -50);
    EXPECT_EQ(store.at(0, 4).band.gain, 370);
    editor.drag(x, 1000);
    EXPECT_EQ(store.at(0, 4).band.gain, 10);
    editor.drag(5000, y);
    EXPECT_EQ(store.at(0, 4).band.freqIndex, 361);
    editor.release();

    const int highPass = static_cast<int>(display.points().size()) - 1;
    std::tie(x, y) = marker(highPass);
    editor.press(x, y, GraphEditor::Left);
    EXPECT_EQ(display.selected(), highPass);
    editor.drag(0, y);
    EXPECT_EQ(store.at(0, 0x0F).value, 0); // far left: OFF
    editor.drag(700, 20);
    EXPECT_EQ(store.at(0, 0x0F).value, 143); // never above 303 Hz
}

TEST_F(Editing, MicrophoneLowPassKeepsAboveFiveKilohertz)
{
    showPage(1);
    const int lowPass = 16;
    store.at(0, 276).value = 360;
    display.refreshAllCurves(false);
    const auto [x, y] = marker(lowPass);
    editor.press(x, y, GraphEditor::Left);
    ASSERT_EQ(display.selected(), lowPass);
    editor.drag(100, y);
    EXPECT_EQ(store.at(0, 276).value, 298);
    editor.drag(800, y);
    EXPECT_EQ(store.at(0, 276).value, 362); // the right edge: OFF
    EXPECT_EQ(store.at(1, 276).value, 362);
}

TEST_F(Editing, RightDragStepsQEveryFivePixels)
{
    showPage(0);
    const auto [x, y] = marker(4);
    editor.press(x, y, GraphEditor::Right);
    ASSERT_TRUE(editor.qDragging());
    const int q = store.at(0, 4).band.qIndex;
    const int frequency = store.at(0, 4).band.freqIndex;
    editor.drag(x + 5, y);
    EXPECT_EQ(store.at(0, 4).band.qIndex, q);
    editor.drag(x + 6, y);
    EXPECT_EQ(store.at(0, 4).band.qIndex, q + 1);
    editor.drag(x + 11, y);
    EXPECT_EQ(store.at(0, 4).band.qIndex, q + 1);
    editor.drag(x + 12.5, y);
    EXPECT_EQ(store.at(0, 4).band.qIndex, q + 2);
    editor.drag(x, y);
    EXPECT_EQ(store.at(0, 4).band.qIndex, q + 1);
    EXPECT_EQ(store.at(0, 4).band.freqIndex, frequency); // a Q drag leaves the frequency
}

TEST_F(Editing, KeysStepGainQAndSelection)
{
    showPage(0);
    display.selectPoint(4);
    editor.pressKey(GraphEditor::EditKey::Up);
    editor.pressKey(GraphEditor::EditKey::Up);
    EXPECT_EQ(store.at(0, 4).band.gain, 252);
    editor.pressKey(GraphEditor::EditKey::End);
    EXPECT_EQ(store.at(0, 4).band.qIndex, 15);
    EXPECT_EQ(writes, (std::vector<int>{4, 4, 4}));

    display.selectPoint(0);
    editor.pressKey(GraphEditor::EditKey::Left);
    clock.advance(100);
    editor.releaseKey(GraphEditor::EditKey::Left);
    EXPECT_EQ(display.selected(), 15); // wrapped to the last point
    store.at(0, 14).band.bandOff = true;
    display.refreshAllCurves(false);
    display.selectPoint(15);
    editor.pressKey(GraphEditor::EditKey::Left);
    editor.releaseKey(GraphEditor::EditKey::Left);
    EXPECT_EQ(display.selected(), 13); // band 15 is off and skipped
}

TEST_F(Editing, HoldingRightMovesTheFrequencyEvery50MsAfter250)
{
    showPage(0);
    display.selectPoint(4);
    const int start = store.at(0, 4).band.freqIndex;
    editor.pressKey(GraphEditor::EditKey::Right);
    editor.pressKey(GraphEditor::EditKey::Right); // a key repeat changes nothing
    clock.advance(249);
    EXPECT_EQ(store.at(0, 4).band.freqIndex, start);
    clock.advance(751);
    EXPECT_EQ(store.at(0, 4).band.freqIndex, start + 16);
    editor.releaseKey(GraphEditor::EditKey::Right);
    EXPECT_EQ(display.selected(), 4); // a long press does not move the selection
    clock.advance(500);
    EXPECT_EQ(store.at(0, 4).band.freqIndex, start + 16);
}

TEST_F(Editing, KeysDoNothingOnABandThatIsOffAndCommitFilters)
{
    store.at(0, 0).band.bandOff = true;
    showPage(0);
    editor.pressKey(GraphEditor::EditKey::Up);
    clock.advance(1);
    EXPECT_TRUE(writes.empty());
    display.selectPoint(15); // the high-pass filter
    editor.pressKey(GraphEditor::EditKey::Up);
    clock.advance(1);
    EXPECT_EQ(writes, std::vector<int>{0x0F}); // unchanged, written again
}

TEST_F(Editing, TheWheelIsOneNotchAKey)
{
    showPage(0);
    display.selectPoint(4);
    editor.wheel(120, false);
    clock.advance(10);
    EXPECT_EQ(store.at(0, 4).band.gain, 251);
    editor.wheel(-120, true);
    clock.advance(10);
    EXPECT_EQ(store.at(0, 4).band.qIndex, 15);
    editor.wheel(240, false);
    editor.wheel(60, false);
    clock.advance(10);
    EXPECT_EQ(store.at(0, 4).band.gain, 251);
}

TEST_F(Editing, ALockedGraphTakesNoInput)
{
    view.autoModeControl = 1;
    showPage(0);
    ASSERT_TRUE(display.locked());
    const auto [x, y] = marker(4);
    editor.press(x, y, GraphEditor::Left);
    EXPECT_FALSE(editor.dragging());
    editor.pressKey(GraphEditor::EditKey::Up);
    EXPECT_EQ(store.at(0, 0).band.gain, 330);
}

TEST_F(Editing, ResetRestoresTheDefaultSetAndWritesItWhileOnline)
{
    showPage(4);
    store.at(0, 1032).band.gain = 300;
    store.at(0, 1033).band.gain = 200;
    store.at(0, 1031).value = 50;
    online = false;
    editor.resetPoints();
    EXPECT_EQ(store.at(0, 1032).band.gain, 250);
    EXPECT_EQ(store.at(0, 1031).value, 1);
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(undo.undoPos(), 0);

    store.at(0, 1032).band.gain = 300;
    store.at(0, 1033).band.gain = 200;
    online = true;
    editor.resetPoints();
    EXPECT_EQ(writes.front(), 1032);
    EXPECT_EQ(writes.size(), display.points().size() + 1); // the high-pass filter has two addresses
    EXPECT_EQ(store.at(0, 1032).band.gain, 250);
    EXPECT_EQ(store.at(0, 1033).band.gain, 250);
}

TEST_F(Editing, ResetKeepsToItsPageWhenTheListIsRebuiltDuringAWrite)
{
    showPage(4);
    std::vector<int> expected;
    std::vector<int> bands;
    for (const CurvePoint& p : display.points()) {
        expected.push_back(p.address);
        if (p.twoAddress)
            expected.push_back(p.address + 1);
        if (p.type == EqBandPoint)
            bands.push_back(p.address);
    }
    for (int address : bands)
        store.at(0, address).band.gain = 300;
    int rebuilds = 0;
    duringWrite = [&] {
        // A page change, then a refresh after a device read, while the write waits.
        view.currentKind = rebuilds++ % 2 ? 4 : 1;
        display.refreshAllCurves(false);
        clock.advance(1);
    };
    editor.resetPoints();
    duringWrite = nullptr;
    EXPECT_EQ(writes, expected);
    for (int address : bands)
        EXPECT_EQ(store.at(0, address).band.gain, store.at(2, address).band.gain) << address;
}

TEST_F(Editing, TheEffectsThirdsShowTheirOwnBands)
{
    showPage(3);
    EXPECT_EQ(display.points().front().address, 776);
    editor.showThird(1);
    EXPECT_EQ(view.effectsSubPage, 1);
    EXPECT_EQ(display.points().front().address, 794);
}

TEST_F(Editing, TheFillFadesAfterTheLastEdit)
{
    showPage(0);
    display.selectPoint(3);
    EXPECT_EQ(display.fadePhase(), ResponseDisplay::FadePhase::SelectedFill);
    EXPECT_EQ(display.fadeCounter(), 5);
    clock.advance(700);
    EXPECT_EQ(display.fadeCounter(), 5);
    clock.advance(70 * 5);
    EXPECT_EQ(display.fadeCounter(), 0);
    EXPECT_EQ(display.fadePhase(), ResponseDisplay::FadePhase::SelectedFill);
    clock.advance(70);
    EXPECT_EQ(display.fadePhase(), ResponseDisplay::FadePhase::TotalFill);
    clock.advance(70 * 10);
    EXPECT_EQ(display.fadeCounter(), 5);
    const int before = frames;
    clock.advance(1000);
    EXPECT_EQ(frames, before); // the fade has ended
}

TEST_F(Editing, TheSelectedMarkerPulsesEveryFourthTick)
{
    showPage(0);
    EXPECT_FALSE(display.pulse());
    for (int tick = 0; tick < 4; ++tick)
        display.linkTicked();
    EXPECT_TRUE(display.pulse());
    for (int tick = 0; tick < 4; ++tick)
        display.linkTicked();
    EXPECT_FALSE(display.pulse());
}

TEST_F(Editing, ABandSliderMovesItsPointStoreAndSelectionAndIsWrittenForBothModesWhenShared)
{
    showPage(1); // the microphone bands are shared by both modes
    view.currentMode = 1;
    const SliderFields fields{231, {.shape = 2, .freqIndex = 120, .gain = 231, .qIndex = 30, .shelfQIndex = 12}};
    const core::Band& fader = fields.band;
    ASSERT_TRUE(editor.bandSliderChanged(2, 259, fields));
    const CurvePoint& p = display.points()[2];
    EXPECT_EQ(std::make_tuple(p.band.freqIndex, p.band.gain, p.band.qIndex, p.band.shelfQIndex, p.band.shape),
              std::make_tuple(fader.freqIndex, 231, fader.qIndex, fader.shelfQIndex, fader.shape));
    for (int mode : {0, 1}) {
        const core::ParamRecord& r = store.at(mode, 259);
        EXPECT_EQ(std::make_tuple(r.band.freqIndex, r.band.gain, r.band.qIndex, r.band.shelfQIndex),
                  std::make_tuple(fader.freqIndex, 231, fader.qIndex, fader.shelfQIndex));
        EXPECT_EQ(r.band.shape, 2);
    }
    EXPECT_EQ(display.selected(), 2);
    EXPECT_EQ(undo.undoPos(), 0);
    const int framesBefore = frames;
    EXPECT_EQ(link.queued, (std::vector<std::pair<int, int>>{{0, 259}, {1, 259}}));
    clock.advance(1);
    EXPECT_EQ(frames, framesBefore + 1);

    showPage(0); // the music bands are per mode: the other mode keeps its own
    view.currentMode = 0;
    ASSERT_TRUE(editor.bandSliderChanged(4, 4, {262, {.shape = 0, .freqIndex = 205, .qIndex = 10, .shelfQIndex = 8}}));
    EXPECT_EQ(store.at(0, 4).band.gain, 262);
    EXPECT_EQ(store.at(1, 4).band.gain, 250);
    ASSERT_TRUE(editor.bandSliderChanged(15, 15, {120})); // the high-pass frequency slider
    EXPECT_EQ(display.points()[15].band.freqIndex, 120);
    EXPECT_EQ(store.at(0, 15).value, 120);
    EXPECT_EQ(writes, (std::vector<int>{4, 15}));
}

TEST_F(Editing, ASliderOfAnotherEffectsThirdChangesTheParameterButNoPoint)
{
    showPage(3, 1); // reverb third: its first filter is the reverb low cut at 781
    const std::vector<CurvePoint> before = display.points();
    ASSERT_FALSE(editor.bandSliderChanged(static_cast<int>(before.size()) - 2, 774, {100})); // the echo low cut
    EXPECT_EQ(store.at(0, 774).value, 100);
    for (std::size_t j = 0; j < before.size(); ++j)
        EXPECT_EQ(display.points()[j].band.freqIndex, before[j].band.freqIndex);
    const int echoBandValue = store.at(0, 776).value;
    ASSERT_FALSE(editor.bandSliderChanged(
        0, 776, {262, {.shape = 1, .freqIndex = 200, .qIndex = 12, .shelfQIndex = 9}})); // an echo band fader
    EXPECT_EQ(store.at(0, 776).band.gain, 262);
    EXPECT_EQ(store.at(0, 776).band.shape, 1);
    EXPECT_EQ(store.at(0, 776).value, echoBandValue);
    EXPECT_NE(display.points()[0].band.gain, 262);
    EXPECT_EQ(writes, (std::vector<int>{774, 776}));
    EXPECT_FALSE(editor.bandSliderChanged(40, 4, {250}));
    EXPECT_FALSE(editor.bandSliderChanged(0, -1, {250}));
}

TEST_F(Editing, TheFrameCountIsTakenAndStartsAgain)
{
    showPage(0);
    display.selectPoint(2);
    clock.advance(1);
    const int drawn = display.framesDrawn();
    EXPECT_GT(drawn, 0);
    EXPECT_EQ(display.takeFramesDrawn(), drawn);
    EXPECT_EQ(display.framesDrawn(), 0);
}
