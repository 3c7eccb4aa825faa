#include "console_fixture.h"

#include "ui/console_frame.h"
#include "ui/exit_save_dialog.h"
#include "ui/password_window.h"
#include "ui/qt_prompter.h"
#include "ui/qt_waiting_notice.h"

#include "core/config_file.h"

#include "presets/configuration_files.h"
#include "presets/exit_save.h"

#include "controls/skinned_button.h"
#include "controls/skinned_progress_bar.h"

#include <QAbstractFileIconProvider>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

using namespace quorix;

namespace {

struct PresetWindows : ::testing::Test, ConsoleFixture {
    presets::PresetContext context()
    {
        return {session.link(), session.store(), session.image(), session.view(), session.digits(), session};
    }
};

TEST(ConfigurationFileDialogs, CarryTheFilterFolderTitleAndOverwritePromptAndCancelToNothing)
{
    ui::QtPrompter prompter;
    for (const bool save : {false, true}) {
        QString title, filter, folder, folderType, fileType;
        bool asksBeforeOverwriting = false;
        int lightness = 255;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            title = dialog->windowTitle();
            filter = dialog->nameFilters().join(';');
            folder = dialog->directory().absolutePath();
            asksBeforeOverwriting = !dialog->testOption(QFileDialog::DontConfirmOverwrite) &&
                                    dialog->acceptMode() == QFileDialog::AcceptSave;
            lightness = dialog->grab().toImage().pixelColor(2, 2).lightness();
            folderType = dialog->iconProvider()->type(QFileInfo(QStringLiteral("/tmp")));
            fileType = dialog->iconProvider()->type(QFileInfo(QStringLiteral("/tmp/房间.quorix")));
            dialog->reject();
        });
        const auto chosen =
            prompter.askFile({save ? presets::kSaveConfigurationCaption : presets::kOpenConfigurationCaption,
                              presets::kConfigurationFilter, save, "/tmp"});
        EXPECT_FALSE(chosen);
        EXPECT_EQ(title, save ? "保存配置文件" : "浏览配置文件");
        EXPECT_EQ(filter, "音响配置文件 (*.QUORIX)");
        EXPECT_EQ(folder, "/tmp");
        EXPECT_EQ(asksBeforeOverwriting, save);
        EXPECT_LT(lightness, 60) << "the dialog in the console's dark style";
        EXPECT_EQ(folderType, "文件夹"); // Qt's own translation leaves "Folder"
        EXPECT_EQ(fileType, "QUORIX 文件");
    }
}

TEST_F(PresetWindows, ExitSaveDialogTicksEnableTheirEntriesAndTheNameIsChecked)
{
    load();
    connect();
    ui::ExitSaveDialog dialog(context(), prompter, "/nonexistent-mode-folder");
    EXPECT_EQ(dialog.windowTitle(), "Quorix Series");
    EXPECT_TRUE(dialog.presetCheck()->isChecked());
    EXPECT_TRUE(dialog.presetChoice()->isEnabled());
    EXPECT_EQ(dialog.presetChoice()->count(), 5);
    EXPECT_EQ(dialog.presetChoice()->currentText(), "USER1");
    EXPECT_FALSE(dialog.fileCheck()->isChecked());
    EXPECT_FALSE(dialog.fileName()->isEnabled());
    EXPECT_TRUE(dialog.progressBar()->isHidden());

    dialog.fileCheck()->click();
    EXPECT_TRUE(dialog.fileName()->isEnabled());
    dialog.presetCheck()->click();
    EXPECT_FALSE(dialog.presetChoice()->isEnabled());
    QTest::keyClicks(dialog.fileName(), "c:night");
    dialog.saveButton()->click();
    EXPECT_EQ(prompter.messages, std::vector<std::string>{std::string(presets::kNameIsPath)});
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    dialog.fileCheck()->click();
    dialog.saveButton()->click();
    EXPECT_EQ(prompter.messages.back(), presets::kAllDone);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

// A tick leaves most of its box empty and keeps clear of the box's top-left
// corner; a filled square does neither.
TEST_F(PresetWindows, ATickedBoxOfTheExitDialogShowsATick)
{
    ui::ExitSaveDialog dialog(context(), prompter, "/nonexistent-mode-folder");
    dialog.show();
    QCheckBox* box = dialog.presetCheck();
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    ASSERT_TRUE(box->isChecked());
    const QImage ticked = box->grab().toImage();
    box->setChecked(false);
    const QImage empty = box->grab().toImage();
    const QRect inner = indicator.adjusted(1, 1, -1, -1); // inside the box's border
    int changed = 0;
    for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x = inner.left(); x <= inner.right(); ++x)
            changed += ticked.pixel(x, y) != empty.pixel(x, y) ? 1 : 0;
    const int area = inner.width() * inner.height();
    EXPECT_GT(changed, area / 10);
    EXPECT_LT(changed, area / 2);
    EXPECT_EQ(ticked.pixel(inner.topLeft()), empty.pixel(inner.topLeft()));
}

TEST_F(PresetWindows, PasswordWindowUnlocksStepByStepAndForgetsOnClose)
{
    load();
    connect();
    processor().setPasswords("2580", "147258");
    ui::PasswordWindow passwords(context(), session.document().edits(), prompter);
    passwords.show();
    EXPECT_EQ(passwords.windowTitle(), "密码管理");
    EXPECT_TRUE(passwords.option2(1)->isChecked()) << "administrator after the read";
    for (int n = 2; n <= 9; ++n) {
        EXPECT_EQ(passwords.text(n)->echoMode(), QLineEdit::Password);
        EXPECT_EQ(passwords.text(n)->maxLength(), n == 8 || (n >= 5 && n <= 7) ? 4 : 6) << n;
        EXPECT_EQ(passwords.text(n)->isEnabled(), n >= 8) << n;
    }
    EXPECT_FALSE(passwords.option1(1)->isEnabled());
    EXPECT_FALSE(passwords.command(6)->isEnabled());

    QTest::keyClicks(passwords.text(8), "25801");
    EXPECT_EQ(passwords.text(8)->text(), "2580") << "four characters at most";
    QTest::keyClick(passwords.text(8), Qt::Key_Return); // Return presses the row's 确认
    settle();
    EXPECT_TRUE(passwords.option1(0)->isEnabled());
    EXPECT_FALSE(passwords.option2(0)->isEnabled());
    QTest::keyClicks(passwords.text(9), "147258");
    QTest::keyClick(passwords.text(9), Qt::Key_Return);
    settle();
    EXPECT_TRUE(passwords.option2(0)->isEnabled());
    EXPECT_TRUE(passwords.text(2)->isEnabled());
    EXPECT_TRUE(passwords.command(7)->isEnabled());
    passwords.option2(0)->click();
    settle();
    EXPECT_EQ(processor().value(0, 0xA20), 0);
    EXPECT_TRUE(prompter.messages.empty());
    // Return in any box of a change row presses its 修改.
    QTest::keyClicks(passwords.text(2), "147258");
    QTest::keyClicks(passwords.text(3), "111111");
    QTest::keyClicks(passwords.text(4), "222222");
    QTest::keyClick(passwords.text(4), Qt::Key_Return);
    QTest::keyClick(passwords.text(6), Qt::Key_Return);
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{"新密码和确认密码不一致！", "原始密码请输入!"}));

    const int requests = processor().requestsReceived();
    passwords.close();
    settle();
    EXPECT_EQ(processor().requestsReceived(), requests + 2);
    EXPECT_TRUE(passwords.text(8)->text().isEmpty());
    EXPECT_TRUE(passwords.text(9)->text().isEmpty());
    EXPECT_FALSE(passwords.option1(0)->isEnabled());
}

TEST_F(PresetWindows, TheFrameReachesThePresetMenusAndThePasswordWindow)
{
    ui::ConsoleFrame frame(session, prompter);
    frame.show();
    connect();
    auto* recall = frame.findChild<QMenu*>("cmdLoadMenu");
    ASSERT_NE(recall, nullptr);
    EXPECT_EQ(recall->actions().size(), 8);
    EXPECT_EQ(frame.findChild<QMenu*>("cmdSaveMenu")->actions().size(), 5);
    frame.findChild<QAction*>("cmdModeLoad4")->trigger();
    EXPECT_FALSE(frame.mainWindow()->isEnabled()) << "disabled while the recall runs";
    settle();
    EXPECT_TRUE(frame.mainWindow()->isEnabled());
    EXPECT_EQ(session.view().currentPreset, 4);
    EXPECT_EQ(frame.mainWindow()->named("cmdPreShow")->value(), 4);
    EXPECT_EQ(processor().currentPreset(), 4);

    frame.findChild<QAction*>("cmdModeSave2")->trigger();
    EXPECT_FALSE(frame.mainWindow()->isEnabled()) << "disabled while the store runs";
    settle();
    EXPECT_EQ(processor().currentPreset(), 5);
    EXPECT_EQ(frame.mainWindow()->named("cmdPreShow")->value(), 5);
    EXPECT_EQ(prompter.messages, std::vector<std::string>{"写入完成!"});

    frame.action("CmdProgramSetup")->trigger();
    auto* passwords = frame.findChild<ui::PasswordWindow*>();
    ASSERT_NE(passwords, nullptr);
    EXPECT_TRUE(passwords->isVisible());
    frame.mainWindow()->requestClose(ui::TuningWindow::CloseScope::Window);
    QCoreApplication::processEvents();
    EXPECT_FALSE(passwords->isVisible()) << "the password window goes with the main window";
    frame.action("CmdProgramSetup")->trigger();
    EXPECT_FALSE(passwords->isVisible()) << "no password window without the main window";
}

// quorix-console FILE.quorix started before the processor is there.
struct FileFromCommandLine : PresetWindows {
    // Each test runs in a process of its own, side by side with the others: a folder of its own too.
    QTemporaryDir folder;
    std::filesystem::path file = std::filesystem::path(folder.path().toStdString()) / "quorix-command-line.quorix";
    ui::ConsoleFrame frame{session, prompter};

    FileFromCommandLine()
    {
        core::ParamStore tuned = session.store();
        tuned.at(0, 1024).value = 42;
        EXPECT_TRUE(core::SaveConfigurationFile(file, tuned).ok);
        session.simulatorPort()->unplug();
        frame.show();
    }

    QMessageBox* notice() const { return frame.findChild<QMessageBox*>(ui::QtWaitingNotice::kObjectName); }
    bool noticeShown() const { return notice() && notice()->isVisible(); }
};

TEST_F(FileFromCommandLine, TheNoticeWaitsForTheProcessorThenTheQuestionWritesTheFile)
{
    frame.openWhenOnline(file);
    clock.advance(3000);
    ASSERT_TRUE(noticeShown());
    EXPECT_TRUE(notice()->text().contains("quorix-command-line.quorix"));
    EXPECT_TRUE(frame.mainWindow()->isEnabled()) << "the notice does not block the console";
    EXPECT_TRUE(prompter.questions.empty());

    prompter.answer = true;
    session.simulatorPort()->replug();
    clock.runUntil([&] { return !prompter.questions.empty(); }, 20000);
    EXPECT_FALSE(noticeShown());
    EXPECT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(processor().value(0, 1024), 42);
    EXPECT_EQ(session.store().at(0, 1024).value, 42);
}

TEST_F(FileFromCommandLine, CancellingTheNoticeMeansNoQuestionAndANonConfigurationIsRefused)
{
    frame.openWhenOnline(file);
    ASSERT_NE(notice(), nullptr);
    notice()->findChild<QPushButton*>("cmdCancelWait")->click();
    EXPECT_FALSE(noticeShown());

    const auto text = file.parent_path() / "quorix-command-line.txt";
    std::ofstream(text) << "text";
    frame.openWhenOnline(text);
    std::filesystem::remove(text);
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_NE(prompter.messages[0].find("quorix-command-line.txt"), std::string::npos);
    EXPECT_FALSE(noticeShown());

    session.simulatorPort()->replug();
    connect();
    clock.advance(5000);
    EXPECT_TRUE(prompter.questions.empty());
    EXPECT_NE(processor().value(0, 1024), 42);
}

} // namespace
