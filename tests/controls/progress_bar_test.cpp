#include "controls/skinned_progress_bar.h"

#include <QImage>

#include <gtest/gtest.h>

using quorix::controls::SkinnedProgressBar;

TEST(ProgressBar, ValueStopsAtTheMaximumAndTheTextShowsThePercentage)
{
    SkinnedProgressBar bar;
    EXPECT_EQ(bar.text(), "正在同步数据, 请稍候...");
    bar.setShowContent(1);
    bar.setValue(33);
    EXPECT_EQ(bar.text(), "执行保存, 完成33%");
    bar.setValue(250);
    EXPECT_EQ(bar.value(), 100);
    EXPECT_EQ(bar.text(), "执行保存, 完成100%");
}

TEST(ProgressBar, DrawsAFrameAGradientAndGrey)
{
    SkinnedProgressBar bar;
    bar.resize(200, 20);
    const QImage empty = bar.grab().toImage();
    EXPECT_EQ(empty.pixelColor(0, 0), QColor(255, 255, 0));
    EXPECT_EQ(empty.pixelColor(10, 18), QColor(192, 192, 192));
    bar.setValue(100);
    const QImage full = bar.grab().toImage();
    EXPECT_EQ(full.pixelColor(1, 18), QColor(255, 0, 0));
    EXPECT_GT(full.pixelColor(190, 18).blue(), 240);
}
