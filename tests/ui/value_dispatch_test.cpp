#include "dispatch_fixture.h"

#include <gtest/gtest.h>

using namespace quorix;

namespace {

struct Dispatch : ::testing::Test, DispatchFixture {};

struct PlainSliderCase {
    const char* what;
    int kind;
    int address;
    bool bothModes;
    bool undoStep;
};

} // namespace

TEST_F(Dispatch, PlainSlidersWriteTheirModesAndSharedOnesForBoth)
{
    const PlainSliderCase cases[] = {
        {"main output music level (per mode)", 4, 1024, false, true},
        {"main output left level (shared)", 4, 1028, true, true},
        {"microphone compressor (shared)", 1, 256 + 0x11, true, true},
        {"master music level (common)", 4, 2560, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DispatchFixture f;
        f.view.currentKind = c.kind;
        const int before1 = f.store.at(1, c.address).value;
        f.dispatch.sliderScrolled(c.address, -1, {.value = 37.0f});
        EXPECT_EQ(f.store.at(0, c.address).value, 37);
        if (c.address < 2048) {
            EXPECT_EQ(f.store.at(1, c.address).value, c.bothModes ? 37 : before1);
        }
        const auto written = c.bothModes ? std::vector<std::pair<int, int>>{{c.address, 0}, {c.address, 1}}
                                         : std::vector<std::pair<int, int>>{{c.address, 0}};
        EXPECT_EQ(f.writes, written);
        EXPECT_EQ(f.undo.undoPos(), c.undoStep ? 0 : -1);
    }
}

TEST_F(Dispatch, BoundSlidersEditThroughTheGraphWhichSelectsTheirPoint)
{
    view.currentKind = 1;
    display.refreshAllCurves(true);
    dispatch.sliderScrolled(256 + 3, 2, {.value = 301.4f, .band = {.freqIndex = 200}});
    EXPECT_EQ(store.at(0, 256 + 3).band.gain, 301);
    EXPECT_EQ(store.at(0, 256 + 3).band.freqIndex, 200);
    const auto& point = display.points()[static_cast<std::size_t>(display.selected())];
    EXPECT_EQ(point.address, 256 + 3);
    EXPECT_EQ(point.band.gain, 301);
    EXPECT_FALSE(writes.empty());

    view.currentKind = 3;
    display.refreshAllCurves(true);
    dispatch.sliderScrolled(774, 16, {.value = 100.0f}); // an effects cut slider of a third not shown
    EXPECT_EQ(store.at(0, 774).value, 100);
}

TEST_F(Dispatch, ReverbModesSetFourSlidersInBothModesAndSendOnlyTheMode)
{
    view.currentKind = 3;
    dispatch.reverbModeClicked(768 + 0x2A, 0);
    EXPECT_TRUE(window.effectButtonEnabled);
    EXPECT_TRUE(window.sliderValues.empty());
    for (int mode = 1; mode <= 4; ++mode) {
        SCOPED_TRACE(mode);
        writes.clear();
        window.sliderValues.clear();
        dispatch.reverbModeClicked(768 + 0x2A, mode);
        EXPECT_FALSE(window.effectButtonEnabled);
        EXPECT_EQ(writes, (std::vector<std::pair<int, int>>{{768 + 0x2A, 0}, {768 + 0x2A, 1}})); // shared
        ASSERT_EQ(window.sliderValues.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            const int expected = ui::ValueDispatch::kReverbPresets[mode - 1][i];
            EXPECT_EQ(window.sliderValues[static_cast<std::size_t>(i)].second, expected);
            for (int m : {0, 1})
                EXPECT_EQ(store.at(m, ui::ValueDispatch::kReverbPresetAddresses[i]).value, expected);
        }
    }
    EXPECT_EQ(store.at(0, 782).value, 9112); // mode 4's high cut
}

TEST_F(Dispatch, FilterTypeDropDownsRetypeTheirPoint)
{
    view.currentKind = 7;
    display.refreshAllCurves(true);
    dispatch.filterTypeClicked(1792 + 7, 3, 5);
    EXPECT_EQ(display.selected(), 5);
    EXPECT_EQ(display.points()[5].filterType, 3);
    EXPECT_EQ(undo.undoPos(), 0); // a snapshot before the change
    EXPECT_EQ(store.at(0, 1792 + 7).value, 3);
    EXPECT_EQ(store.at(1, 1792 + 7).value, 0); // the filter type is per mode
}

TEST_F(Dispatch, ButtonsMutesOptionsAndBypass)
{
    dispatch.buttonClicked(-1, 1);
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(undo.undoPos(), -1);

    dispatch.buttonClicked(1792 + 6, 1); // subwoofer phase, shared
    EXPECT_EQ(store.at(1, 1792 + 6).value, 1);
    dispatch.muteClicked(2576, 1);
    dispatch.singleMuteClicked(2, 1);
    dispatch.optionClicked(ui::ValueDispatch::OptionGroup::Input, 4);
    dispatch.optionClicked(ui::ValueDispatch::OptionGroup::FBX2, 3);
    EXPECT_EQ(store.at(0, 2576).value, 1);
    EXPECT_EQ(store.at(0, 2595).value, 1);
    EXPECT_EQ(store.at(0, 2563).value, 4);
    EXPECT_EQ(store.at(0, 2573).value, 3);

    view.currentKind = 3;
    view.effectsSubPage = 1;
    dispatch.byPassClicked(1);
    EXPECT_EQ(store.at(0, 2560 + 0x2B).value, 1);
    view.currentKind = 5;
    dispatch.byPassClicked(1);
    EXPECT_EQ(store.at(0, 2560 + 0x16 + 5).value, 1);
    EXPECT_EQ(window.bypassRedraws, 2);
    EXPECT_EQ(writes, (std::vector<std::pair<int, int>>{
                          {1798, 0}, {1798, 1}, {2576, 0}, {2595, 0}, {2563, 0}, {2573, 0}, {2603, 0}, {2587, 0}}));
}

TEST_F(Dispatch, ToneStaysWithinTwoToEightAndReturnsToNeutralOffline)
{
    window.tone = 8;
    dispatch.toneStep(true);
    EXPECT_EQ(window.tone, 8);
    EXPECT_EQ(writes, (std::vector<std::pair<int, int>>{{2598, 0}}));
    EXPECT_EQ(store.at(0, 2598).value, 8);

    online = false;
    writes.clear();
    window.tone = 3;
    dispatch.toneStep(false);
    dispatch.toneStep(false); // stays at 2
    EXPECT_EQ(window.tone, 2);
    clock.advance(499);
    EXPECT_EQ(window.tone, 2);
    clock.advance(1);
    EXPECT_EQ(window.tone, 5);
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(store.at(0, 2598).value, 8); // nothing stored offline
}

TEST_F(Dispatch, OfflineChangesReachOnlyTheStore)
{
    online = false;
    dispatch.sliderScrolled(1024, -1, {.value = 90.0f});
    dispatch.filterTypeClicked(1024 + 6, 1, 10);
    EXPECT_EQ(store.at(0, 1024).value, 90);
    EXPECT_TRUE(writes.empty());
}
