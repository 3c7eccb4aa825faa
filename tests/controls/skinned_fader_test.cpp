#include "control_events.h"

#include "controls/skinned_fader.h"
#include "controls/store_marks.h"

#include "core/address_map.h"
#include "core/manual_scheduler.h"

#include <QLineEdit>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace quorix;
using namespace quorix::controls;

namespace {

struct Slider : ::testing::Test {
    core::ParamStore store;
    core::ParamStore image;
    core::ViewState view;
    core::ManualScheduler clock;
    StoreMarks marks{store, view};

    void SetUp() override { core::InitParamStore(store, image); }

    std::unique_ptr<SkinnedFader> make(FaderKind kind, int address = -1)
    {
        auto s = std::make_unique<SkinnedFader>(nullptr, ControlContext{&marks, &clock});
        s->setKind(kind);
        s->setLabelID(0);
        s->address = address;
        return s;
    }
};

core::Band SwitchedOff(core::Band band, bool off)
{
    band.bandOff = off;
    return band;
}

} // namespace

TEST_F(Slider, ValueConvertsThroughTheScaleAndClampsAtTheEnds)
{
    auto level = make(FaderKind::LevelPlain); // scale 0, 0..80
    QSignalSpy scrolls(level.get(), &SkinnedFader::scrolled);
    level->setValue(300);
    EXPECT_EQ(level->position(), 80);
    EXPECT_FLOAT_EQ(level->value(), 80);
    level->setValue(-3);
    EXPECT_FLOAT_EQ(level->value(), 0);

    auto band = make(FaderKind::Band);
    EXPECT_EQ(band->position(), 240); // 0.0 dB at load
    band->setValue(400);
    EXPECT_FLOAT_EQ(band->value(), 370);
    EXPECT_EQ(scrolls.count(), 0); // setting from code raises nothing

    band->setMaxValue(0);
    EXPECT_EQ(band->maxValue(), 1);
}

TEST_F(Slider, AQuickClickBelowTheThumbStepsOnce)
{
    auto level = make(FaderKind::LevelPlain);
    QSignalSpy scrolls(level.get(), &SkinnedFader::scrolled);
    Move(level.get(), {33, 140}, Qt::NoButton);
    Press(level.get(), {33, 140});
    Release(level.get(), {33, 140});
    EXPECT_EQ(level->position(), 39);
    EXPECT_EQ(scrolls.count(), 1);
}

TEST_F(Slider, AClickOnAHorizontalThumbChangesNothing)
{
    auto fader = make(FaderKind::Horizontal);
    fader->setHScrollSize(2); // the mic page's: thumb at x 68 for position 40 of 80
    QSignalSpy scrolls(fader.get(), &SkinnedFader::scrolled);
    Move(fader.get(), {72, 10}, Qt::NoButton);
    Press(fader.get(), {72, 10});
    Move(fader.get(), {72, 10}); // a motion event without motion
    Release(fader.get(), {72, 10});
    EXPECT_EQ(fader->position(), 40);
    EXPECT_EQ(scrolls.count(), 0);
}

TEST_F(Slider, ADoubleClickStepsTwiceLikeTwoClicks)
{
    auto level = make(FaderKind::LevelPlain);
    QSignalSpy scrolls(level.get(), &SkinnedFader::scrolled);
    DoubleClick(level.get(), {33, 140});
    EXPECT_EQ(level->position(), 38);
    EXPECT_EQ(scrolls.count(), 2);
}

TEST_F(Slider, HidingTheSliderEndsItsHeldPress)
{
    auto level = make(FaderKind::LevelPlain);
    level->show();
    Press(level.get(), {33, 170});
    clock.advance(300);
    const int held = level->position();
    EXPECT_LT(held, 40);
    level->hide();
    clock.advance(1000);
    EXPECT_EQ(level->position(), held);
}

TEST_F(Slider, HoldingThePressRepeatsAfterAQuarterSecond)
{
    auto level = make(FaderKind::LevelPlain);
    QSignalSpy scrolls(level.get(), &SkinnedFader::scrolled);
    Press(level.get(), {33, 170}); // the target is the bottom
    clock.advance(200);
    EXPECT_EQ(level->position(), 40);
    clock.advance(50);
    EXPECT_EQ(level->position(), 39);
    clock.advance(750);
    EXPECT_EQ(level->position(), 24); // one step every 50 ms from the fifth tick: 16 in the first second
    Release(level.get(), {33, 170});
    clock.advance(500);
    EXPECT_EQ(level->position(), 24); // the release that ends a hold adds no step
    EXPECT_EQ(scrolls.count(), 16);
}

TEST_F(Slider, DraggingRaisesScrollOnlyWhenThePositionChanges)
{
    auto level = make(FaderKind::LevelPlain);
    QSignalSpy scrolls(level.get(), &SkinnedFader::scrolled);
    const double thumb = 87.5;
    Press(level.get(), {33, thumb});
    Move(level.get(), {33, thumb + 0.4}); // still position 40
    EXPECT_EQ(scrolls.count(), 0);
    Move(level.get(), {33, thumb - 30.75}); // 20 steps up
    EXPECT_EQ(level->position(), 60);
    EXPECT_EQ(scrolls.count(), 1);
    Move(level.get(), {33, -500});
    EXPECT_EQ(level->position(), 80);
    Release(level.get(), {33, -500});
    EXPECT_EQ(scrolls.count(), 2); // a moved press does not also click

    auto knob = make(FaderKind::Knob);
    QSignalSpy turns(knob.get(), &SkinnedFader::scrolled);
    Press(knob.get(), {60, 60});
    Move(knob.get(), {60, 61});
    Move(knob.get(), {60, 62});
    EXPECT_EQ(turns.count(), 2); // the knob reports every move
}

TEST_F(Slider, KeysMoveOnlyWhileThePointerIsInside)
{
    auto level = make(FaderKind::LevelPlain);
    QSignalSpy scrolls(level.get(), &SkinnedFader::scrolled);
    Key(level.get(), Qt::Key_Up);
    EXPECT_EQ(level->position(), 40);
    Move(level.get(), {33, 10}, Qt::NoButton);
    Key(level.get(), Qt::Key_Up);
    Key(level.get(), Qt::Key_Right);
    EXPECT_EQ(level->position(), 42);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(level.get(), &leave);
    Key(level.get(), Qt::Key_Down);
    EXPECT_EQ(level->position(), 42);
    EXPECT_EQ(scrolls.count(), 2);
}

TEST_F(Slider, TheWheelStepsByExactlyOneNotchWithoutModifiers)
{
    auto level = make(FaderKind::LevelPlain);
    Move(level.get(), {33, 10}, Qt::NoButton);
    Wheel(level.get(), {33, 10}, 120);
    EXPECT_EQ(level->position(), 41);
    Wheel(level.get(), {33, 10}, -120);
    EXPECT_EQ(level->position(), 40);
    Wheel(level.get(), {33, 10}, 240);
    Wheel(level.get(), {33, 10}, 60);
    Wheel(level.get(), {33, 10}, 120, Qt::ControlModifier);
    Wheel(level.get(), {33, 10}, 120, Qt::NoModifier, Qt::LeftButton);
    EXPECT_EQ(level->position(), 40);
}

TEST_F(Slider, OnABandFaderTheWheelStepsTheRowUnderThePointer)
{
    auto band = make(FaderKind::Band);
    core::Band fields = band->band();
    fields.freqIndex = 205;
    fields.qIndex = 16;
    band->setBand(fields);
    Wheel(band.get(), {20, 145}, 120); // frequency row
    EXPECT_EQ(band->band().freqIndex, 206);
    Wheel(band.get(), {20, 158}, -120); // Q row
    EXPECT_EQ(band->band().qIndex, 15);
    Wheel(band.get(), {30, 50}, 120); // elsewhere: gain
    EXPECT_EQ(band->position(), 241);
    Wheel(band.get(), {20, 145}, 120); // the key path follows the last pointer position too
    Key(band.get(), Qt::Key_Down);
    EXPECT_EQ(band->band().freqIndex, 206);
}

TEST_F(Slider, ASwitchedOffBandIgnoresPressesButItsSwitch)
{
    auto band = make(FaderKind::Band);
    band->setBand(SwitchedOff(band->band(), true));
    QSignalSpy scrolls(band.get(), &SkinnedFader::scrolled);
    Press(band.get(), {5, 70}); // a shape button
    Release(band.get(), {5, 70});
    EXPECT_EQ(band->band().shape, 0);
    EXPECT_EQ(scrolls.count(), 0);
    Press(band.get(), {20, 171}); // the band switch
    Release(band.get(), {20, 171});
    EXPECT_FALSE(band->band().bandOff);
    EXPECT_EQ(scrolls.count(), 1);
    Press(band.get(), {5, 90});
    EXPECT_EQ(band->band().shape, 1);
}

TEST_F(Slider, TheGainBoxParsesTypedTextAndStepsWithinRange)
{
    auto band = make(FaderKind::Band);
    QSignalSpy scrolls(band.get(), &SkinnedFader::scrolled);
    Press(band.get(), {20, 132});
    Release(band.get(), {20, 132});
    QLineEdit* box = band->entryBox();
    ASSERT_TRUE(box->isVisibleTo(band.get()));
    EXPECT_EQ(box->text(), "0.0");
    box->setText("15");
    Key(box, Qt::Key_Return);
    EXPECT_FALSE(box->isVisibleTo(band.get()));
    EXPECT_FLOAT_EQ(band->value(), 370); // +12.0 dB
    EXPECT_EQ(scrolls.count(), 1);

    Press(band.get(), {20, 132});
    Release(band.get(), {20, 132});
    Key(box, Qt::Key_Up);
    EXPECT_EQ(box->text(), "12.0");
    EXPECT_FLOAT_EQ(band->value(), 370);
    box->setText("loud");
    Key(box, Qt::Key_Return);
    EXPECT_FLOAT_EQ(band->value(), 250); // text that is no number reads as 0.0 dB
}

TEST_F(Slider, TheFrequencyBoxUsesItsOwnDefaults)
{
    auto band = make(FaderKind::Band);
    Press(band.get(), {20, 145});
    Release(band.get(), {20, 145});
    band->entryBox()->setText("abc");
    Key(band->entryBox(), Qt::Key_Return);
    EXPECT_EQ(band->band().freqIndex, 86); // "100" Hz
}

TEST_F(Slider, PolarityLivesInTheRawValue)
{
    auto level = make(FaderKind::Level); // scale 10, 0..150, with the polarity button
    level->setValue(260);
    EXPECT_TRUE(level->polarityInverted());
    EXPECT_EQ(level->position(), 10);
    QSignalSpy scrolls(level.get(), &SkinnedFader::scrolled);
    Press(level.get(), {18, 165});
    Release(level.get(), {18, 165});
    EXPECT_FALSE(level->polarityInverted());
    EXPECT_FLOAT_EQ(level->value(), 10);
    EXPECT_EQ(scrolls.count(), 1);
}

TEST_F(Slider, GreyedSlidersIgnoreInputUntilAutomaticControlEnds)
{
    auto band = make(FaderKind::Band, 0); // music EQ1: per mode
    view.autoModeControl = 1;
    EXPECT_TRUE(band->greyed());
    Move(band.get(), {30, 50}, Qt::NoButton);
    Wheel(band.get(), {30, 50}, 120);
    Press(band.get(), {5, 90});
    EXPECT_EQ(band->position(), 240);
    EXPECT_EQ(band->band().shape, 0);
    auto shared = make(FaderKind::Band, 257); // microphone band: shared between modes, never greyed
    EXPECT_FALSE(shared->greyed());
}

namespace {

// The colour of the band fader's fill a little below the thumb.
QColor Fill(SkinnedFader& band)
{
    return band.grab().toImage().pixelColor(28, 100);
}

int FillHue(SkinnedFader& band)
{
    return Fill(band).hsvHue();
}

bool FillIsGrey(SkinnedFader& band)
{
    return Fill(band).hsvSaturation() < 60;
}

} // namespace

TEST_F(Slider, TheBandFillShowsModeGreyAndOff)
{
    auto band = make(FaderKind::Band, 0);
    band->setValue(300);
    const int singing = FillHue(*band);
    view.currentMode = 1;
    const int dance = FillHue(*band);
    EXPECT_GT(singing, 190); // blue
    EXPECT_LT(singing, 240);
    EXPECT_GT(dance, 20); // orange
    EXPECT_LT(dance, 45);
    EXPECT_FALSE(FillIsGrey(*band));
    band->setBand(SwitchedOff(band->band(), true));
    EXPECT_TRUE(FillIsGrey(*band));
    band->setBand(SwitchedOff(band->band(), false));
    view.autoModeControl = 1;
    EXPECT_TRUE(FillIsGrey(*band));
}

TEST_F(Slider, ThreeDigitPercentagesStayInsideTheValueBox)
{
    auto level = make(FaderKind::Level); // the recording window's sources: 0..150 %
    const QRect box(22, 160, 30, 18);
    // Everything on the value box's row but the box itself, which only the text may change.
    const auto besideTheBox = [&](float percent) {
        level->setValue(percent);
        const QImage shot = level->grab().toImage();
        return std::make_pair(shot.copy(box.right() + 1, box.top(), level->width() - box.right() - 1, box.height()),
                              shot.copy(0, box.top(), box.left(), box.height()));
    };
    const auto narrow = besideTheBox(10);
    for (const float wide : {100.0f, 102.0f, 150.0f})
        EXPECT_EQ(besideTheBox(wide), narrow) << wide << "%";
}
