#include "console_fixture.h"

#include "ui/console_frame.h"
#include "ui/page_panel.h"
#include "ui/password_window.h"
#include "ui/startup_settings_window.h"

#include "tables/effect_window_table.h"
#include "tables/recording_window_table.h"
#include "tables/startup_settings_table.h"

#include "controls/skinned_button.h"
#include "controls/skinned_drop_down.h"
#include "controls/skinned_fader.h"

#include "core/address_map.h"

#include <QAction>
#include <QListWidget>
#include <QTest>

#include <functional>
#include <memory>

#include <gtest/gtest.h>

using namespace quorix;

namespace {

constexpr int kCommon = core::kCommonBase;

struct SecondaryWindows : ::testing::Test, ConsoleFixture {
    void SetUp() override { load(); }

    void move(controls::SkinnedFader* slider, float raw)
    {
        slider->setValue(raw);
        slider->notifyScrolled();
        clock.advance(100);
    }
    // Opens the list on the face and picks the item by its row, as a user does.
    void pick(controls::SkinnedDropDown* combo, int row)
    {
        QTest::mousePress(combo, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(combo, Qt::LeftButton, {}, QPoint(10, 10));
        ASSERT_TRUE(combo->isOpen());
        const QRect item = combo->popup()->visualItemRect(combo->popup()->item(row));
        QTest::mousePress(combo->popup()->viewport(), Qt::LeftButton, {}, item.center());
        clock.advance(100);
    }
    int stored(int address) { return session.store().at(0, address).value; }
    presets::PresetContext passwordContext()
    {
        return {session.link(), session.store(), session.image(), session.view(), session.digits(), session};
    }
    int atProcessor(int address) { return processor().value(0, address); }
};

TEST_F(SecondaryWindows, StartupSettingsReachTheProcessorAndTheMasterSlidersMaxima)
{
    connect();
    ui::StartupSettingsWindow settings(session, frm());
    settings.show();
    EXPECT_EQ(settings.windowTitle(), "设备控制");
    EXPECT_EQ(settings.size(), QSize(720, 230));
    EXPECT_EQ(settings.slider(1)->accessibleName(), "最大麦克风音量");

    pick(settings.combo(1), 1); // "2" of the backlight list, counted from 1
    EXPECT_EQ(settings.combo(1)->selectedText(), "2");
    EXPECT_EQ(stored(kCommon + 0x27), 2);
    EXPECT_EQ(atProcessor(kCommon + 0x27), 2);
    pick(settings.combo(0), 4); // "USER1" of the power-on modes
    EXPECT_EQ(settings.combo(0)->selectedText(), "USER1");
    EXPECT_EQ(atProcessor(kCommon + 0x04), 4);

    move(settings.slider(4), 60); // power-on microphone level, its maximum 80
    move(settings.slider(1), 25); // the maximum pulls it down
    EXPECT_EQ(settings.slider(4)->value(), 25.0f);
    EXPECT_EQ(atProcessor(kCommon + 0x06), 25);
    EXPECT_EQ(atProcessor(kCommon + 0x09), 25);
    EXPECT_EQ(frm().slider(1)->maxValue(), 25);
    move(settings.slider(4), 70); // snaps back to the maximum
    EXPECT_EQ(settings.slider(4)->value(), 25.0f);
    EXPECT_EQ(stored(kCommon + 0x06), 25);
}

TEST_F(SecondaryWindows, OfflineChangesReachOnlyTheStore)
{
    ui::StartupSettingsWindow settings(session, frm());
    ui::TableWindow recording(session, tables::RecordingWindowTable());
    const int before = atProcessor(kCommon + 0x07);
    move(settings.slider(5), 11);
    move(recording.slider(2), 120);
    EXPECT_EQ(stored(kCommon + 0x07), 11);
    EXPECT_EQ(stored(2048 + 2), 120);
    EXPECT_EQ(atProcessor(kCommon + 0x07), before);
    EXPECT_NE(atProcessor(2048 + 2), 120);
}

TEST_F(SecondaryWindows, TheVariantFlagSwapsTheLoudspeakerLists)
{
    ui::StartupSettingsWindow settings(session, frm());
    for (const bool variant : {false, true}) {
        settings.placeLoudspeakerLists(variant);
        EXPECT_EQ(settings.combo(variant ? 4 : 2)->y(), tables::StartupSettingsGeometry::kLoudspeakerRow);
        EXPECT_GE(settings.combo(variant ? 2 : 4)->y(), settings.height());
    }
}

TEST_F(SecondaryWindows, AnEffectChangeInDanceModeWritesBothModesAndSendsTheNewValue)
{
    connect();
    session.view().currentMode = 1;
    const int address = 768 + 0x16; // 混响空间
    ui::TableWindow effect(session, tables::EffectWindowTable());
    EXPECT_EQ(effect.windowTitle(), "专业设置");
    EXPECT_EQ(effect.slider(5)->accessibleName(), "混响空间");
    move(effect.slider(5), 33);
    EXPECT_EQ(session.store().at(0, address).value, 33);
    EXPECT_EQ(session.store().at(1, address).value, 33);
    EXPECT_EQ(processor().value(0, address), 33); // a shared value reaches both of the processor's sets
    EXPECT_EQ(processor().value(1, address), 33);
}

// Nothing is disabled around a write, so the fader keeps the focus and every press steps.
TEST_F(SecondaryWindows, ArrowKeysStepOncePerPressAndTheFaderKeepsTheFocus)
{
    connect();
    const std::pair<tables::WindowTable, int> faders[] = {{tables::EffectWindowTable(), 5},
                                                          {tables::RecordingWindowTable(), 14}};
    for (const auto& [layout, index] : faders) {
        SCOPED_TRACE(std::string(layout.caption));
        ui::TableWindow table(session, layout);
        table.show();
        QApplication::setActiveWindow(&table);
        controls::SkinnedFader* fader = table.slider(index);
        const QPoint middle = fader->rect().center();
        QTest::mouseMove(fader, middle);
        QTest::mouseClick(fader, Qt::LeftButton, {}, middle);
        clock.advance(100);
        ASSERT_EQ(QApplication::focusWidget(), fader);
        const int start = stored(fader->address);
        for (int press = 1; press <= 3; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left); // both start at their top
            clock.advance(50);
            EXPECT_EQ(QApplication::focusWidget(), fader);
            EXPECT_EQ(stored(fader->address), start - press);
            EXPECT_EQ(atProcessor(fader->address), start - press);
        }
    }
}

TEST_F(SecondaryWindows, TheRecordingWindowShowsOnlyTheLeftMixAndWritesIt)
{
    connect();
    ui::TableWindow recording(session, tables::RecordingWindowTable());
    recording.show();
    EXPECT_EQ(recording.size(), QSize(850, 335));
    for (int i = 0; i < 18; ++i) {
        controls::SkinnedFader* s = recording.slider(i);
        const bool left = i < 7 || i == 14;
        if (left)
            EXPECT_TRUE(recording.rect().contains(s->geometry())) << i;
        else
            EXPECT_FALSE(recording.rect().intersects(s->geometry())) << i;
        EXPECT_EQ(s->address, (left || i == 16 ? 2048 : 2304) + (i < 14 ? i % 7 : i < 16 ? 7 : 8)) << i;
    }
    move(recording.slider(14), 64);
    EXPECT_EQ(atProcessor(2048 + 7), 64);
}

TEST_F(SecondaryWindows, VisibleControlsNeitherOverlapNorLeaveTheirWindow)
{
    ui::StartupSettingsWindow settings(session, frm());
    ui::TableWindow recording(session, tables::RecordingWindowTable());
    ui::TableWindow effect(session, tables::EffectWindowTable());
    for (QWidget* w :
         {static_cast<QWidget*>(&settings), static_cast<QWidget*>(&recording), static_cast<QWidget*>(&effect)}) {
        std::vector<QRect> shown;
        for (QWidget* child : w->findChildren<QWidget*>()) {
            if (!qobject_cast<controls::SkinnedFader*>(child) && !qobject_cast<controls::SkinnedDropDown*>(child))
                continue;
            if (!w->rect().intersects(child->geometry()))
                continue; // laid out of view on purpose
            EXPECT_TRUE(w->rect().contains(child->geometry())) << child->accessibleName().toStdString();
            for (const QRect& other : shown)
                EXPECT_FALSE(other.intersects(child->geometry())) << child->accessibleName().toStdString();
            shown.push_back(child->geometry());
        }
    }
}

TEST_F(SecondaryWindows, EachWindowClosesFromItsCloseButtonAndOnEscape)
{
    const std::function<QWidget*()> windows[] = {
        [&] { return new ui::StartupSettingsWindow(session, frm()); },
        [&] { return new ui::TableWindow(session, tables::RecordingWindowTable()); },
        [&] { return new ui::TableWindow(session, tables::EffectWindowTable()); },
        [&] { return new ui::PasswordWindow(passwordContext(), session.document().edits(), prompter); },
    };
    for (const auto& make : windows) {
        for (const bool escape : {false, true}) {
            std::unique_ptr<QWidget> made(make());
            SCOPED_TRACE(made->objectName().toStdString());
            made->show();
            QApplication::setActiveWindow(made.get());
            auto* close = made->findChild<controls::SkinnedButton*>("cmdClose");
            ASSERT_NE(close, nullptr);
            EXPECT_TRUE(made->rect().contains(close->geometry()));
            for (QWidget* child : made->findChildren<QWidget*>()) {
                const QRect at(child->mapTo(made.get(), QPoint(0, 0)), child->size());
                if (child != close && child->isVisible() && !qobject_cast<ui::PagePanel*>(child) &&
                    !child->isAncestorOf(close)) {
                    EXPECT_FALSE(at.intersects(close->geometry())) << child->metaObject()->className();
                }
            }
            if (escape) {
                QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : made.get();
                QTest::keyClick(target, Qt::Key_Escape);
            } else {
                QTest::mouseClick(close, Qt::LeftButton, {}, close->rect().center());
            }
            EXPECT_FALSE(made->isVisible());
        }
    }
}

// The frame opens the windows and keeps them in step with the link.
struct FrameWindows : ::testing::Test, ConsoleFixture {
    ui::ConsoleFrame frame{session, prompter};
};

TEST_F(FrameWindows, ABlockReadRefreshesTheSettingsWindowAndClosesTheRecordingWindow)
{
    frame.show();
    frame.action("CmdStartupSettings")->trigger();
    ui::StartupSettingsWindow* settings = frame.secondaryWindows().settings();
    ASSERT_NE(settings, nullptr);
    EXPECT_TRUE(settings->isVisible());
    clock.runUntil([&] { return session.link().online(); }, 20000);
    clock.advance(200);

    processor().setValue(0, kCommon + 0x05, 17);
    QWidget* recordPage = frame.mainWindow()->named("cmdRecordPage");
    QTest::mouseClick(recordPage, Qt::LeftButton, {}, recordPage->rect().center());
    ASSERT_NE(frame.secondaryWindows().recording(), nullptr);
    EXPECT_TRUE(frame.secondaryWindows().recording()->isModal());
    ASSERT_TRUE(readFromDevice(0, true, link::Command::ReadBlock));
    clock.advance(100);
    EXPECT_EQ(settings->slider(3)->value(), 17.0f);
    EXPECT_FALSE(frame.secondaryWindows().recording()->isVisible());
}

TEST_F(FrameWindows, AnOpenEffectWindowShowsWhatTheReadBrought)
{
    constexpr int kLateDelay = 3 * 256 + 0x13;
    frame.show();
    clock.runUntil([&] { return session.link().online(); }, 20000);
    clock.advance(200);
    frame.mainWindow()->pages().showPage(3);
    QWidget* open = frame.mainWindow()->named("MBtnFlag2");
    QTest::mouseClick(open, Qt::LeftButton, {}, open->rect().center());
    ui::TableWindow* effect = frame.secondaryWindows().effect();
    ASSERT_NE(effect, nullptr);
    controls::SkinnedFader* late = effect->slider(7);
    ASSERT_EQ(late->address, kLateDelay);

    late->setValue(200);
    late->notifyScrolled();
    clock.advance(100);
    processor().setValue(0, kLateDelay, 120);
    ASSERT_TRUE(readFromDevice(0, true, link::Command::ReadBlock));
    clock.advance(100);
    EXPECT_EQ(late->value(), 120.0f);
}

TEST_F(FrameWindows, TheSettingsWindowClosesWithTheMainWindowAndOpensOnlyWhileItIsLoaded)
{
    frame.show();
    frame.action("CmdStartupSettings")->trigger();
    QPointer<ui::StartupSettingsWindow> settings = frame.secondaryWindows().settings();
    ASSERT_TRUE(settings);
    frame.mainWindow()->requestClose(ui::TuningWindow::CloseScope::Window);
    ASSERT_FALSE(frame.mainWindowLoaded());
    EXPECT_TRUE(!settings || !settings->isVisible());
    frame.action("CmdStartupSettings")->trigger();
    EXPECT_TRUE(!frame.secondaryWindows().settings() || !frame.secondaryWindows().settings()->isVisible());
}

TEST_F(FrameWindows, ASettingsWindowOpenedOfflineLearnsTheVariantWithTheFirstRead)
{
    processor().setVariant('3');
    frame.show();
    frame.action("CmdStartupSettings")->trigger();
    ui::StartupSettingsWindow* settings = frame.secondaryWindows().settings();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->combo(2)->y(), tables::StartupSettingsGeometry::kLoudspeakerRow);
    clock.runUntil([&] { return session.link().online(); }, 20000);
    clock.advance(200);
    EXPECT_EQ(settings->combo(4)->y(), tables::StartupSettingsGeometry::kLoudspeakerRow);
    EXPECT_GE(settings->combo(2)->y(), settings->height());
}

} // namespace
