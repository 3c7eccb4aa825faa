#include "control_events.h"

#include "controls/skinned_button.h"
#include "controls/skinned_drop_down.h"
#include "controls/skinned_fader.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

using namespace quorix::controls;

// Every control kind is switched on and off the same way, with QWidget::setEnabled.
TEST(ControlEnabled, EveryKindIgnoresThePressWhileDisabledAndTakesItWhenEnabledAgain)
{
    SkinnedFader slider;
    slider.setKind(FaderKind::Level);
    QSignalSpy slides(&slider, &SkinnedFader::click);
    SkinnedButton button;
    button.setActionType(SkinnedButton::Toggle);
    QSignalSpy clicks(&button, &SkinnedButton::click);
    SkinnedDropDown combo;

    struct Case {
        QWidget* control;
        QPointF at;
        std::function<int()> reaction;
    };
    const Case cases[] = {
        {&slider, {40, 100}, [&] { return static_cast<int>(slides.count()); }},
        {&button, {5, 5}, [&] { return static_cast<int>(clicks.count()); }},
        {&combo, {10, 10}, [&] { return combo.isOpen() ? 1 : 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control->metaObject()->className());
        c.control->setEnabled(false);
        Press(c.control, c.at);
        Release(c.control, c.at);
        EXPECT_EQ(c.reaction(), 0);
        c.control->setEnabled(true);
        Press(c.control, c.at);
        Release(c.control, c.at);
        EXPECT_EQ(c.reaction(), 1);
    }
}

TEST(ControlEnabled, DisablingAnOpenDropDownClosesItsPopUp)
{
    SkinnedDropDown combo;
    Press(&combo, {10, 10});
    ASSERT_TRUE(combo.isOpen());
    combo.setEnabled(false);
    EXPECT_FALSE(combo.isOpen());
}
