#include "control_events.h"

#include "controls/skinned_drop_down.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>

#include <gtest/gtest.h>

using quorix::controls::SkinnedDropDown;

namespace {

std::unique_ptr<SkinnedDropDown> Combo(int showType)
{
    auto c = std::make_unique<SkinnedDropDown>();
    c->setShowType(showType);
    return c;
}

} // namespace

TEST(SkinnedDropDown, ListsSizesAndValues)
{
    auto filters = Combo(0);
    EXPECT_EQ(filters->size(), QSize(138, 21));
    filters->setValue(20);
    EXPECT_EQ(filters->selectedText(), "Bessel 12dB");
    auto speakers = Combo(10);
    EXPECT_EQ(speakers->popup()->count(), 11);
    EXPECT_EQ(speakers->popup()->item(0)->text(), "空");
}

TEST(SkinnedDropDown, ListEightCountsFromOne)
{
    auto c = Combo(8);
    c->setValue(1);
    EXPECT_EQ(c->selectedText(), "1");
    QSignalSpy clicks(c.get(), &SkinnedDropDown::click);
    c->show();
    Press(c.get(), {10, 10});
    Release(c.get(), {10, 10});
    ASSERT_TRUE(c->isOpen());
    QWidget* items = c->popup()->viewport();
    const QRect third = c->popup()->visualItemRect(c->popup()->item(2));
    Press(items, third.center());
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].toInt(), 3);
    EXPECT_FALSE(c->isOpen());
}

TEST(SkinnedDropDown, TheFaceOpensAndClosesWithoutAClickAndHoverOnlySelects)
{
    auto c = Combo(3);
    c->show();
    QSignalSpy clicks(c.get(), &SkinnedDropDown::click);
    Press(c.get(), {10, 10});
    Release(c.get(), {10, 10});
    EXPECT_TRUE(c->popup()->isVisible());
    const QRect second = c->popup()->visualItemRect(c->popup()->item(1));
    Move(c->popup()->viewport(), second.center(), Qt::NoButton);
    EXPECT_EQ(c->value(), 1);
    Press(c.get(), {10, 10});
    Release(c.get(), {10, 10});
    EXPECT_FALSE(c->popup()->isVisible());
    EXPECT_EQ(clicks.count(), 0);
}

TEST(SkinnedDropDown, NearTheBottomOfTheScreenThePopupOpensAbove)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    auto c = Combo(2);
    c->move(screen.left() + 100, screen.bottom() - 30);
    c->show();
    Press(c.get(), {10, 10});
    EXPECT_LT(c->popup()->y(), c->mapToGlobal(QPoint(0, 0)).y());
    Press(c.get(), {10, 10});
    c->move(screen.left() + 100, screen.top() + 50);
    Press(c.get(), {10, 10});
    EXPECT_GT(c->popup()->y(), c->mapToGlobal(QPoint(0, 0)).y());
}

TEST(SkinnedDropDown, ADisabledComboIgnoresTheMouse)
{
    auto c = Combo(1);
    c->setEnabled(false);
    Press(c.get(), {10, 10});
    EXPECT_FALSE(c->isOpen());
}

TEST(SkinnedDropDown, AListThatFitsShowsNoScrollBarAndOneThatDoesNotAScrollBarInTheSkin)
{
    for (int showType = 0; showType <= 11; ++showType) {
        auto c = Combo(showType);
        c->show();
        Press(c.get(), {10, 10});
        QApplication::processEvents();
        ASSERT_TRUE(c->popup()->isVisible());
        EXPECT_FALSE(c->popup()->verticalScrollBar()->isVisible()) << showType;
    }
    auto tall = Combo(2);
    tall->show();
    tall->popup()->setFixedHeight(40);
    Press(tall.get(), {10, 10});
    QApplication::processEvents();
    QScrollBar* bar = tall->popup()->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    const QImage drawn = bar->grab().toImage();
    for (int y = 0; y < drawn.height(); y += 4)
        EXPECT_LT(drawn.pixelColor(drawn.width() / 2, y).lightness(), 110) << y; // dark, as the skin
}
