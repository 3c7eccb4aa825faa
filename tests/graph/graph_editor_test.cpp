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
    editor.MouseDown(x, y, GraphEditor::Left);
    EXPECT_TRUE(editor.dragging());
    EXPECT_EQ(display.selected(), 4);
    const auto& g = display.geometry();
    editor.MouseMove(g.FrequencyToX(1000), g.DbToY(6));
    editor.MouseMove(g.FrequencyToX(1000), g.DbToY(6.5f));
    EXPECT_EQ(store.at(0, 4).band.FreqIndex, 205);
    EXPECT_EQ(store.at(0, 4).band.Gain, 315);
    EXPECT_EQ(store.at(1, 4).band.Gain, 250);    // the music bands are per mode
    EXPECT_EQ(writes, (std::vector<int>{4, 4})); // the link keeps only the newest while one waits
    editor.MouseUp();
    EXPECT_EQ(undo.UndoPos(), 0);         // the drag is one undo step
    EXPECT_EQ(sliders.values.size(), 0u); // no slider bound on this fixture's page
}

TEST_F(Editing, SharedBandsAreMirroredAndShownOnTheirSlider)
{
    sliders.byAddress[256 + 3] = 21;
    showPage(1);
    EXPECT_EQ(sliders.bound[21], 2);
    const auto [x, y] = marker(2);
    editor.MouseDown(x, y, GraphEditor::Left);
    editor.MouseMove(x, display.geometry().DbToY(-3));
    EXPECT_EQ(store.at(0, 259).band.Gain, 220);
    EXPECT_EQ(store.at(1, 259).band.Gain, 220);
    EXPECT_EQ(sliders.values[21], 220);
    EXPECT_TRUE(sliders.highlighted[21]);
}

TEST_F(Editing, GainAndFrequencyStayWithinTheirLimits)
{
    showPage(0);
    auto [x, y] = marker(4);
    editor.MouseDown(x, y, GraphEditor::Left);
    editor.MouseMove(x, -50);
    EXPECT_EQ(store.at(0, 4).band.Gain, 370);
    editor.MouseMove(x, 1000);
    EXPECT_EQ(store.at(0, 4).band.Gain, 10);
    editor.MouseMove(5000, y);
    EXPECT_EQ(store.at(0, 4).band.FreqIndex, 361);
    editor.MouseUp();

    const int highPass = static_cast<int>(display.points().size()) - 1;
    std::tie(x, y) = marker(highPass);
    editor.MouseDown(x, y, GraphEditor::Left);
    EXPECT_EQ(display.selected(), highPass);
    editor.MouseMove(0, y);
    EXPECT_EQ(store.at(0, 0x0F).Value, 0); // far left: OFF
    editor.MouseMove(700, 20);
    EXPECT_EQ(store.at(0, 0x0F).Value, 143); // never above 303 Hz
}

TEST_F(Editing, MicrophoneLowPassKeepsAboveFiveKilohertz)
{
    showPage(1);
    const int lowPass = 16;
    store.at(0, 276).Value = 360;
    display.RefreshAllCurves(false);
    const auto [x, y] = marker(lowPass);
    editor.MouseDown(x, y, GraphEditor::Left);
    ASSERT_EQ(display.selected(), lowPass);
    editor.MouseMove(100, y);
    EXPECT_EQ(store.at(0, 276).Value, 298);
    editor.MouseMove(800, y);
    EXPECT_EQ(store.at(0, 276).Value, 362); // the right edge: OFF
    EXPECT_EQ(store.at(1, 276).Value, 362);
}

TEST_F(Editing, RightDragStepsQEveryFivePixels)
{
    showPage(0);
    const auto [x, y] = marker(4);
    editor.MouseDown(x, y, GraphEditor::Right);
    ASSERT_TRUE(editor.qDragging());
    const int q = store.at(0, 4).band.QIndex;
    const int frequency = store.at(0, 4).band.FreqIndex;
    editor.MouseMove(x + 5, y);
    EXPECT_EQ(store.at(0, 4).band.QIndex, q);
    editor.MouseMove(x + 6, y);
    EXPECT_EQ(store.at(0, 4).band.QIndex, q + 1);
    editor.MouseMove(x + 11, y);
    EXPECT_EQ(store.at(0, 4).band.QIndex, q + 1);
    editor.MouseMove(x + 12.5, y);
    EXPECT_EQ(store.at(0, 4).band.QIndex, q + 2);
    editor.MouseMove(x, y);
    EXPECT_EQ(store.at(0, 4).band.QIndex, q + 1);
    EXPECT_EQ(store.at(0, 4).band.FreqIndex, frequency); // a Q drag leaves the frequency
}

TEST_F(Editing, KeysStepGainQAndSelection)
{
    showPage(0);
    display.SelectPoint(4);
    editor.KeyDown(GraphEditor::Up);
    editor.KeyDown(GraphEditor::Up);
    EXPECT_EQ(store.at(0, 4).band.Gain, 252);
    editor.KeyDown(GraphEditor::End);
    EXPECT_EQ(store.at(0, 4).band.QIndex, 15);
    EXPECT_EQ(writes, (std::vector<int>{4, 4, 4}));

    display.SelectPoint(0);
    editor.KeyDown(GraphEditor::LeftKey);
    clock.advance(100);
    editor.KeyUp(GraphEditor::LeftKey);
    EXPECT_EQ(display.selected(), 15); // wrapped to the last point
    store.at(0, 14).band.BandOff = true;
    display.RefreshAllCurves(false);
    display.SelectPoint(15);
    editor.KeyDown(GraphEditor::LeftKey);
    editor.KeyUp(GraphEditor::LeftKey);
    EXPECT_EQ(display.selected(), 13); // band 15 is off and skipped
}

TEST_F(Editing, HoldingRightMovesTheFrequencyEvery50MsAfter250)
{
    showPage(0);
    display.SelectPoint(4);
    const int start = store.at(0, 4).band.FreqIndex;
    editor.KeyDown(GraphEditor::RightKey);
    editor.KeyDown(GraphEditor::RightKey); // a key repeat changes nothing
    clock.advance(249);
    EXPECT_EQ(store.at(0, 4).band.FreqIndex, start);
    clock.advance(751);
    EXPECT_EQ(store.at(0, 4).band.FreqIndex, start + 16);
    editor.KeyUp(GraphEditor::RightKey);
    EXPECT_EQ(display.selected(), 4); // a long press does not move the selection
    clock.advance(500);
    EXPECT_EQ(store.at(0, 4).band.FreqIndex, start + 16);
}

TEST_F(Editing, KeysDoNothingOnABandThatIsOffAndCommitFilters)
{
    store.at(0, 0).band.BandOff = true;
    showPage(0);
    editor.KeyDown(GraphEditor::Up);
    clock.advance(1);
    EXPECT_TRUE(writes.empty());
    display.SelectPoint(15); // the high-pass filter
    editor.KeyDown(GraphEditor::Up);
    clock.advance(1);
    EXPECT_EQ(writes, std::vector<int>{0x0F}); // unchanged, written again
}

TEST_F(Editing, TheWheelIsOneNotchAKey)
{
    showPage(0);
    display.SelectPoint(4);
    editor.Wheel(120, false);
    clock.advance(10);
    EXPECT_EQ(store.at(0, 4).band.Gain, 251);
    editor.Wheel(-120, true);
    clock.advance(10);
    EXPECT_EQ(store.at(0, 4).band.QIndex, 15);
    editor.Wheel(240, false);
    editor.Wheel(60, false);
    clock.advance(10);
    EXPECT_EQ(store.at(0, 4).band.Gain, 251);
}

TEST_F(Editing, ALockedGraphTakesNoInput)
{
    view.AutoModeControl = 1;
    showPage(0);
    ASSERT_TRUE(display.locked());
    const auto [x, y] = marker(4);
    editor.MouseDown(x, y, GraphEditor::Left);
    EXPECT_FALSE(editor.dragging());
    editor.KeyDown(GraphEditor::Up);
    EXPECT_EQ(store.at(0, 0).band.Gain, 330);
}

TEST_F(Editing, ResetRestoresTheDefaultSetAndWritesItWhileOnline)
{
    showPage(4);
    store.at(0, 1032).band.Gain = 300;
    store.at(0, 1033).band.Gain = 200;
    store.at(0, 1031).Value = 50;
    online = false;
    editor.ResetPoints();
    EXPECT_EQ(store.at(0, 1032).band.Gain, 250);
    EXPECT_EQ(store.at(0, 1031).Value, 1);
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(undo.UndoPos(), 0);

    store.at(0, 1032).band.Gain = 300;
    store.at(0, 1033).band.Gain = 200;
    online = true;
    editor.ResetPoints();
    EXPECT_EQ(writes.front(), 1032);
    EXPECT_EQ(writes.size(), display.points().size() + 1); // the high-pass filter has two addresses
    EXPECT_EQ(store.at(0, 1032).band.Gain, 250);
    EXPECT_EQ(store.at(0, 1033).band.Gain, 250);
}

TEST_F(Editing, ResetKeepsToItsPageWhenTheListIsRebuiltDuringAWrite)
{
    showPage(4);
    std::vector<int> expected;
    std::vector<int> bands;
    for (const CurvePoint& p : display.points()) {
        expected.push_back(p.Address);
        if (p.TwoAddress)
            expected.push_back(p.Address + 1);
        if (p.Type == EqBandPoint)
            bands.push_back(p.Address);
    }
    for (int address : bands)
        store.at(0, address).band.Gain = 300;
    int rebuilds = 0;
    duringWrite = [&] {
        // A page change, then a refresh after a device read, while the write waits.
        view.CurrentKind = rebuilds++ % 2 ? 4 : 1;
        display.RefreshAllCurves(false);
        clock.advance(1);
    };
    editor.ResetPoints();
    duringWrite = nullptr;
    EXPECT_EQ(writes, expected);
    for (int address : bands)
        EXPECT_EQ(store.at(0, address).band.Gain, store.at(2, address).band.Gain) << address;
}

TEST_F(Editing, TheEffectsThirdsShowTheirOwnBands)
{
    showPage(3);
    EXPECT_EQ(display.points().front().Address, 776);
    editor.Command3(1);
    EXPECT_EQ(view.EffectsSubPage, 1);
    EXPECT_EQ(display.points().front().Address, 794);
}

TEST_F(Editing, TheFillFadesAfterTheLastEdit)
{
    showPage(0);
    display.SelectPoint(3);
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
        display.LinkTicked();
    EXPECT_TRUE(display.pulse());
    for (int tick = 0; tick < 4; ++tick)
        display.LinkTicked();
    EXPECT_FALSE(display.pulse());
}

TEST_F(Editing, ABandSliderMovesItsPointStoreAndSelectionAndIsWrittenForBothModesWhenShared)
{
    showPage(1); // the microphone bands are shared by both modes
    view.CurrentMode = 1;
    const SliderFields fields{231, {.Shape = 2, .FreqIndex = 120, .Gain = 231, .QIndex = 30, .ShelfQIndex = 12}};
    const core::Band& fader = fields.band;
    ASSERT_TRUE(editor.BandSliderChanged(2, 259, fields));
    const CurvePoint& p = display.points()[2];
    EXPECT_EQ(std::make_tuple(p.band.FreqIndex, p.band.Gain, p.band.QIndex, p.band.ShelfQIndex, p.band.Shape),
              std::make_tuple(fader.FreqIndex, 231, fader.QIndex, fader.ShelfQIndex, fader.Shape));
    for (int mode : {0, 1}) {
        const core::ParamRecord& r = store.at(mode, 259);
        EXPECT_EQ(std::make_tuple(r.band.FreqIndex, r.band.Gain, r.band.QIndex, r.band.ShelfQIndex),
                  std::make_tuple(fader.FreqIndex, 231, fader.QIndex, fader.ShelfQIndex));
        EXPECT_EQ(r.band.Shape, 2);
    }
    EXPECT_EQ(display.selected(), 2);
    EXPECT_EQ(undo.UndoPos(), 0);
    const int framesBefore = frames;
    EXPECT_EQ(link.queued, (std::vector<std::pair<int, int>>{{0, 259}, {1, 259}}));
    clock.advance(1);
    EXPECT_EQ(frames, framesBefore + 1);

    showPage(0); // the music bands are per mode: the other mode keeps its own
    view.CurrentMode = 0;
    ASSERT_TRUE(editor.BandSliderChanged(4, 4, {262, {.Shape = 0, .FreqIndex = 205, .QIndex = 10, .ShelfQIndex = 8}}));
    EXPECT_EQ(store.at(0, 4).band.Gain, 262);
    EXPECT_EQ(store.at(1, 4).band.Gain, 250);
    ASSERT_TRUE(editor.BandSliderChanged(15, 15, {120})); // the high-pass frequency slider
    EXPECT_EQ(display.points()[15].band.FreqIndex, 120);
    EXPECT_EQ(store.at(0, 15).Value, 120);
    EXPECT_EQ(writes, (std::vector<int>{4, 15}));
}

TEST_F(Editing, ASliderOfAnotherEffectsThirdChangesTheParameterButNoPoint)
{
    showPage(3, 1); // reverb third: its first filter is the reverb low cut at 781
    const std::vector<CurvePoint> before = display.points();
    ASSERT_FALSE(editor.BandSliderChanged(static_cast<int>(before.size()) - 2, 774, {100})); // the echo low cut
    EXPECT_EQ(store.at(0, 774).Value, 100);
    for (std::size_t j = 0; j < before.size(); ++j)
        EXPECT_EQ(display.points()[j].band.FreqIndex, before[j].band.FreqIndex);
    const int echoBandValue = store.at(0, 776).Value;
    ASSERT_FALSE(editor.BandSliderChanged(
        0, 776, {262, {.Shape = 1, .FreqIndex = 200, .QIndex = 12, .ShelfQIndex = 9}})); // an echo band fader
    EXPECT_EQ(store.at(0, 776).band.Gain, 262);
    EXPECT_EQ(store.at(0, 776).band.Shape, 1);
    EXPECT_EQ(store.at(0, 776).Value, echoBandValue);
    EXPECT_NE(display.points()[0].band.Gain, 262);
    EXPECT_EQ(writes, (std::vector<int>{774, 776}));
    EXPECT_FALSE(editor.BandSliderChanged(40, 4, {250}));
    EXPECT_FALSE(editor.BandSliderChanged(0, -1, {250}));
}

TEST_F(Editing, TheFrameCountIsTakenAndStartsAgain)
{
    showPage(0);
    display.SelectPoint(2);
    clock.advance(1);
    const int drawn = display.framesDrawn();
    EXPECT_GT(drawn, 0);
    EXPECT_EQ(display.takeFramesDrawn(), drawn);
    EXPECT_EQ(display.framesDrawn(), 0);
}
