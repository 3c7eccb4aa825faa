#include "control_events.h"

#include "controls/skin_cache.h"
#include "controls/skinned_button.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using quorix::controls::SkinnedButton;

namespace {

std::unique_ptr<SkinnedButton> Button(const char* ids, int action)
{
    auto b = std::make_unique<SkinnedButton>();
    b->setPNGIndexStr(ids);
    b->setActionType(action);
    return b;
}

} // namespace

TEST(SkinnedButton, TakesTheSizeOfItsFirstImage)
{
    auto b = Button("282,283", SkinnedButton::Toggle);
    EXPECT_EQ(b->size(), QSize(36, 28));
}

TEST(SkinnedButton, AToggleReturnsToItsFirstImageAfterTwoPresses)
{
    auto b = Button("282,283", SkinnedButton::Toggle);
    QSignalSpy clicks(b.get(), &SkinnedButton::click);
    Press(b.get(), {10, 10});
    Release(b.get(), {10, 10});
    EXPECT_EQ(b->shownImage(), 283);
    Press(b.get(), {10, 10});
    Release(b.get(), {10, 10});
    EXPECT_EQ(b->shownImage(), 282);
    EXPECT_EQ(clicks.count(), 2);
    b->setValue(5);
    EXPECT_EQ(b->value(), 1);
}

TEST(SkinnedButton, AMomentaryButtonClicksOnRelease)
{
    auto b = Button("188,189", SkinnedButton::Momentary);
    QSignalSpy clicks(b.get(), &SkinnedButton::click);
    Press(b.get(), {10, 10});
    EXPECT_EQ(b->shownImage(), 189);
    EXPECT_EQ(clicks.count(), 0);
    Release(b.get(), {10, 10});
    EXPECT_EQ(b->shownImage(), 188);
    EXPECT_EQ(clicks.count(), 1);
}

TEST(SkinnedButton, TwoPositionSwitchesFollowThePressSide)
{
    auto inverted = Button("296,297", SkinnedButton::TwoPositionInverted);
    Press(inverted.get(), {5, 10});
    EXPECT_EQ(inverted->value(), 1);
    EXPECT_EQ(inverted->shownImage(), 296);
    Press(inverted.get(), {50, 10});
    EXPECT_EQ(inverted->value(), 0);
    EXPECT_EQ(inverted->shownImage(), 297);

    auto host = Button("158,159", SkinnedButton::HostDecides);
    QSignalSpy clicks(host.get(), &SkinnedButton::click);
    Press(host.get(), {10, 10});
    EXPECT_EQ(host->value(), 0); // the host sets the value
    EXPECT_EQ(clicks.count(), 1);
}

TEST(SkinnedButton, DisabledTabsShowTheirLockAndIgnoreTheMouse)
{
    auto tab = Button("162,163,385", SkinnedButton::HostDecides);
    tab->specialFeature = "DisabledRefresh";
    QSignalSpy clicks(tab.get(), &SkinnedButton::click);
    tab->setEnabled(false);
    EXPECT_EQ(tab->shownImage(), 385);
    Press(tab.get(), {10, 10});
    EXPECT_EQ(clicks.count(), 0);
    // The lock is what the tab draws.
    const QImage drawn = tab->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage* lock = quorix::controls::SkinCache::instance().image(385);
    EXPECT_EQ(drawn.pixelColor(19, 21), lock->pixelColor(19, 21));
    EXPECT_NE(drawn.pixelColor(19, 21), quorix::controls::SkinCache::instance().image(162)->pixelColor(19, 21));
    auto setting = Button("312,313", SkinnedButton::Momentary);
    setting->setEnabled(false);
    EXPECT_EQ(setting->shownImage(), 317);
    auto past = Button("282,283", SkinnedButton::HostDecides);
    past->setValue(7);
    EXPECT_EQ(past->shownImage(), 0); // past the end of the list: no image
}

TEST(SkinnedButton, OnlyOneWheelNotchRaisesScroll)
{
    auto b = Button("264,265", SkinnedButton::Momentary);
    QSignalSpy scrolls(b.get(), &SkinnedButton::scrolled);
    Wheel(b.get(), {5, 5}, 120);
    Wheel(b.get(), {5, 5}, -120);
    Wheel(b.get(), {5, 5}, 240);
    Wheel(b.get(), {5, 5}, 120, Qt::ShiftModifier);
    ASSERT_EQ(scrolls.count(), 2);
    EXPECT_TRUE(scrolls[0][0].toBool());
    EXPECT_FALSE(scrolls[1][0].toBool());
}
