#include "controls/fader_input.h"

#include "core/value_tables.h"
#include "core/value_text.h"

#include <gtest/gtest.h>

using namespace quorix::controls;

namespace {

FaderInput Fader(FaderKind kind, int hScrollSize = 0)
{
    FaderInput f;
    f.setHScrollSize(hScrollSize);
    f.setKind(kind);
    return f;
}

// Presses at `from`, moves through `path` with the button held, releases; returns
// the number of Scroll reactions.
int Drag(FaderInput& f, FaderPoint from, std::initializer_list<FaderPoint> path)
{
    int scrolls = f.press(from, {}, 150).scroll ? 1 : 0;
    for (const FaderPoint at : path)
        scrolls += f.move(at, true, {}).scroll ? 1 : 0;
    scrolls += f.release({}, 150).scroll ? 1 : 0;
    return scrolls;
}

} // namespace

TEST(FaderInput, ADragAlongTheFadersOwnAxisEndsWhereItWasLeft)
{
    struct Case {
        const char* what;
        FaderKind kind;
        FaderPoint thumb; // the thumb at position 40 of 80
        FaderPoint draggedTo;
        int position;
    };
    // Horizontal variant 2: origin (7, 2), track 122; level: origin y 26, track 123.
    const Case cases[] = {
        {"horizontal, perfectly level path", FaderKind::Horizontal, {68, 10}, {98.5, 10}, 60},
        {"horizontal, back to the left", FaderKind::Horizontal, {68, 10}, {37.5, 10}, 20},
        {"vertical, perfectly upright path", FaderKind::LevelPlain, {33, 87.5}, {33, 56.75}, 60},
    };
    for (const Case& c : cases) {
        FaderInput f = Fader(c.kind, 2);
        const int scrolls = Drag(f, c.thumb, {c.draggedTo});
        EXPECT_EQ(f.position(), c.position) << c.what;
        EXPECT_EQ(scrolls, 1) << c.what << ": the release adds no step";
    }
}

TEST(FaderInput, LettingGoOfAThumbUnmovedIsNoEdit)
{
    struct Case {
        const char* what;
        FaderKind kind;
        int hScrollSize;
        FaderPoint onThumb; // off the thumb's centre, toward a step
    };
    // Thumbs at the start position: horizontal x 68, level y 87.5, band y 49.7.
    const Case cases[] = {
        {"horizontal, right of the centre", FaderKind::Horizontal, 2, {73, 10}},
        {"horizontal, left of the centre", FaderKind::Horizontal, 2, {63, 10}},
        {"horizontal with a polarity button", FaderKind::Horizontal, 3, {71, 3}},
        {"vertical level, above the centre", FaderKind::LevelPlain, 0, {33, 80}},
        {"recording level, below the centre", FaderKind::Level, 0, {33, 95}},
        {"focused band, below the centre", FaderKind::Band, 0, {28, 55}},
    };
    for (const Case& c : cases) {
        FaderInput f = Fader(c.kind, c.hScrollSize);
        f.setForceShowFocus(true);
        const int start = f.position();
        EXPECT_FALSE(f.press(c.onThumb, {}, 150).startHold) << c.what << ": the press is on the thumb";
        f.move(c.onThumb, true, {}); // the same pixel again
        EXPECT_FALSE(f.release({}, 150).scroll) << c.what;
        EXPECT_EQ(f.position(), start) << c.what;
        FaderReaction r;
        f.key(FaderInput::Key::Up, {}, r); // the arrow keys still work after the click
        EXPECT_EQ(f.position(), start + 1) << c.what;
    }
}

TEST(FaderInput, MovingAcrossTheAxisIsNoDragAndTheClickStillSteps)
{
    FaderInput f = Fader(FaderKind::LevelPlain);
    f.press({33, 140}, {}, 74); // below the thumb
    f.move({40, 140}, true, {});
    const FaderReaction r = f.release({}, 74);
    EXPECT_TRUE(r.scroll);
    EXPECT_EQ(f.position(), 39);
}

TEST(FaderInput, AReleaseThatEndsAHoldDoesNotStep)
{
    FaderInput f = Fader(FaderKind::LevelPlain);
    const FaderReaction pressed = f.press({33, 170}, {}, 74); // the target is the bottom
    EXPECT_TRUE(pressed.startHold);
    int scrolls = 0;
    for (int tick = 0; tick < 6; ++tick)
        scrolls += f.holdTick().scroll ? 1 : 0;
    EXPECT_EQ(f.position(), 38); // quiet for four ticks, then one step a tick
    const FaderReaction released = f.release({}, 74);
    EXPECT_TRUE(released.stopHold);
    EXPECT_FALSE(released.scroll);
    EXPECT_EQ(f.position(), 38);
    EXPECT_EQ(scrolls, 2);

    FaderInput quick = Fader(FaderKind::LevelPlain);
    quick.press({33, 170}, {}, 74);
    for (int tick = 0; tick < FaderInput::kHoldQuietTicks; ++tick)
        quick.holdTick();
    EXPECT_TRUE(quick.release({}, 74).scroll); // released within the quiet ticks: a click, one step
    EXPECT_EQ(quick.position(), 39);
}

TEST(FaderInput, NothingMovesWhileTheFaderTakesNoInput)
{
    FaderInput f = Fader(FaderKind::LevelPlain);
    const FaderGate greyed{true, false};
    const FaderGate hidden{false, true};
    EXPECT_FALSE(f.press({33, 140}, greyed, 74).click);
    EXPECT_FALSE(f.wheel({33, 10}, 120, true, greyed).scroll);
    FaderReaction r;
    EXPECT_TRUE(f.key(FaderInput::Key::Up, greyed, r));  // swallowed
    EXPECT_FALSE(f.key(FaderInput::Key::Up, hidden, r)); // passed on
    EXPECT_EQ(f.position(), 40);
}

TEST(FaderInput, ABandFaderCarriesItsBandWithTheGainFromThePosition)
{
    FaderInput f = Fader(FaderKind::Band);
    f.setBand({.shape = 2, .freqIndex = 205, .gain = 300, .qIndex = 16, .shelfQIndex = 12, .bandOff = false});
    EXPECT_EQ(f.position(), 290);
    f.wheel({30, 50}, -120, true, {}); // over the fader: the gain
    f.wheel({20, 158}, 120, true, {}); // over the Q row: a shelf steps its slope
    const quorix::core::Band band = f.band();
    EXPECT_EQ(band.gain, 299);
    EXPECT_EQ(band.shelfQIndex, 13);
    EXPECT_EQ(band.qIndex, 16);
    EXPECT_EQ(band.shape, 2);

    f.press({20, 171}, {}, 43); // the band switch
    EXPECT_TRUE(f.band().bandOff);
    EXPECT_FALSE(f.press({5, 70}, {}, 43).scroll); // a switched-off band takes no shape
    EXPECT_EQ(f.band().shape, 2);
}

TEST(FaderInput, TheEntryBoxOpensOnARowAndCommitsTypedText)
{
    FaderInput f = Fader(FaderKind::Band);
    const FaderReaction opened = f.press({20, 145}, {}, 43); // the frequency row
    EXPECT_TRUE(opened.openEntry);
    EXPECT_EQ(f.entryField(), FaderInput::EntryField::Frequency);
    EXPECT_TRUE(f.release({}, 43).focusEntry);
    EXPECT_EQ(f.entryText(), quorix::core::FrequencyText(86)); // the band's frequency
    const FaderReaction committed = f.commitEntry("1000");
    EXPECT_TRUE(committed.scroll && committed.hideEntry);
    EXPECT_FALSE(f.entryOpen());
    EXPECT_EQ(f.band().freqIndex, quorix::core::FrequencyToIndex(1000.0f));
}
