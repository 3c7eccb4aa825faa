#include "console_fixture.h"

#include "ui/console_frame.h"

#include "tests/archive_tool.h"

#include "controls/skinned_button.h"

#include <QAction>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace quorix;

namespace {

// The frame window with its main window, against the virtual processor in virtual time.
struct MdiMain : ::testing::Test {
    core::ManualScheduler clock;
    app::ConsoleSession session{clock, nullptr, {.simulator = true}};
    ScriptedPrompter prompter;
    ui::ConsoleFrame frame{session, prompter};

    void SetUp() override { frame.show(); }
};

} // namespace

TEST_F(MdiMain, TheMainWindowClosesAndReloadsFromTheDeviceMenuAnyNumberOfTimes)
{
    QAction* item = frame.action("CmdMainWindow");
    ASSERT_TRUE(frame.mainWindowLoaded());
    EXPECT_TRUE(item->isChecked());
    clock.runUntil([&] { return session.link().online(); }, 20000);
    clock.advance(200);
    EXPECT_EQ(frame.windowTitle(), "Quorix_Series - 已联机");

    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        item->trigger();
        EXPECT_FALSE(frame.mainWindowLoaded());
        EXPECT_FALSE(item->isChecked());
        EXPECT_EQ(prompter.questions.back(), std::string(ui::kCloseWindowQuestion)); // only the window closes
        EXPECT_FALSE(clock.hasActiveTimers());
        item->trigger();
        ASSERT_TRUE(frame.mainWindowLoaded());
        EXPECT_TRUE(item->isChecked());
        clock.advance(300);
        EXPECT_TRUE(session.link().online()); // the link stays online across a reload
    }
    EXPECT_EQ(frame.action("cmdOfflineMode")->isEnabled(), true);
    frame.action("cmdOfflineMode")->trigger();
    EXPECT_FALSE(session.link().online());
    EXPECT_EQ(frame.windowTitle(), "Quorix_Series - 脱机模式");
}

TEST_F(MdiMain, TheMainWindowsCloseButtonEndsTheApplication)
{
    QTest::mouseClick(frame.mainWindow()->named("cmdExit"), Qt::LeftButton);
    EXPECT_FALSE(frame.mainWindowLoaded());
    EXPECT_EQ(prompter.questions, std::vector<std::string>{std::string(ui::kExitQuestion)});
    EXPECT_TRUE(frame.quitting()); // the frame ends the application once the window has unloaded
}

TEST_F(MdiMain, EscapeOnTheExitQuestionReturnsToTheConsole)
{
    prompter.withdraw = true;
    QTest::mouseClick(frame.mainWindow()->named("cmdExit"), Qt::LeftButton);
    frame.close();
    EXPECT_EQ(prompter.questions.size(), 2u);
    ASSERT_TRUE(frame.mainWindowLoaded());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_FALSE(frame.quitting());
    EXPECT_TRUE(clock.hasActiveTimers()); // the link still looks for the processor

    prompter.withdraw = false; // then the device menu closes the window only
    frame.action("CmdMainWindow")->trigger();
    EXPECT_FALSE(frame.mainWindowLoaded());
    EXPECT_FALSE(frame.quitting());
}

TEST_F(MdiMain, TheDeviceMenuSavesTheSupportBundleWhereTheUserChooses)
{
    clock.runUntil([&] { return session.link().online(); }, 20000);
    clock.advance(2000);
    const auto folder = std::filesystem::temp_directory_path() / ("quorix-diagnostics-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    prompter.files = {folder / "support", folder / "missing" / "support.zip"};
    QAction* save = frame.action("CmdSaveDiagnostics");
    ASSERT_NE(save, nullptr);

    save->trigger();
    EXPECT_EQ(prompter.messages.back(), ui::kDiagnosticsSaved);
    const std::string listing = ArchiveListing(folder / "support.zip");
    for (const char* name : {"trace.txt", "screen.quorix", "last-read.quorix", "devices.txt"})
        EXPECT_NE(listing.find(name), std::string::npos) << name << " in\n" << listing;

    save->trigger(); // a folder that does not exist: said, nothing written
    EXPECT_EQ(prompter.messages.back().rfind(ui::kDiagnosticsNotSaved, 0), 0u) << prompter.messages.back();
    std::filesystem::remove_all(folder);
}
