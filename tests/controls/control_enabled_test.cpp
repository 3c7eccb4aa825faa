#include "control_events.h"

#include "controls/m_btn_flag.h"
#include "controls/m_combo_box.h"
#include "controls/m_scroll_bar.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

using namespace quorix::controls;

// Every control kind is switched on and off the same way, with QWidget::setEnabled.
TEST(ControlEnabled, EveryKindIgnoresThePressWhileDisabledAndTakesItWhenEnabledAgain)
{
    MScrollBar slider;
    slider.setScrollBarType(0);
    QSignalSpy slides(&slider, &MScrollBar::Click);
    MBtnFlag button;
    button.setActionType(MBtnFlag::Toggle);
    QSignalSpy clicks(&button, &MBtnFlag::Click);
    MComboBox combo;

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
    MComboBox combo;
    Press(&combo, {10, 10});
    ASSERT_TRUE(combo.isOpen());
    combo.setEnabled(false);
    EXPECT_FALSE(combo.isOpen());
}
