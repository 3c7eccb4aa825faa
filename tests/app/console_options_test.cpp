// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/console_options.h"
#include "app/qt_translation.h"

#include <QCoreApplication>
#include <QTranslator>

#include <gtest/gtest.h>

using namespace quorix;
using app::StartAction;

namespace {

struct OptionsCase {
    QStringList arguments;
    StartAction action;
    bool simulator = false;
    QString file = {};
};

class ConsoleOptionsTable : public ::testing::TestWithParam<OptionsCase> {};

} // namespace

TEST_P(ConsoleOptionsTable, ReadsTheCommandLine)
{
    const OptionsCase& c = GetParam();
    const app::ConsoleOptions options = app::ParseConsoleOptions(QStringList{"quorix-console"} + c.arguments);
    EXPECT_EQ(options.action, c.action) << c.arguments.join(' ').toStdString();
    EXPECT_EQ(options.action == StartAction::UsageError, !options.error.isEmpty());
    if (c.action == StartAction::Run) {
        EXPECT_EQ(options.simulator, c.simulator);
        EXPECT_EQ(options.file, c.file);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConsoleOptionsTable,
    ::testing::Values(OptionsCase{{}, StartAction::Run}, OptionsCase{{"--help"}, StartAction::PrintHelp},
                      OptionsCase{{"-h"}, StartAction::PrintHelp},
                      OptionsCase{{"--version"}, StartAction::PrintVersion},
                      OptionsCase{{"-v"}, StartAction::PrintVersion},
                      // Help wins over what else is given, as long as all of it is known.
                      OptionsCase{{"--simulator", "--help"}, StartAction::PrintHelp},
                      OptionsCase{{"--no-such-option"}, StartAction::UsageError},
                      OptionsCase{{"--help", "--no-such-option"}, StartAction::UsageError},
                      OptionsCase{{"-x"}, StartAction::UsageError},
                      OptionsCase{{"--trace"}, StartAction::UsageError}, // a value is missing
                      OptionsCase{{"a.quorix", "b.quorix"}, StartAction::UsageError},
                      OptionsCase{{"--simulator"}, StartAction::Run, true},
                      OptionsCase{{"--simulator-memory", "m.bin"}, StartAction::Run, true},
                      OptionsCase{{"--simulator-memory=m.bin"}, StartAction::Run, true},
                      OptionsCase{{"room 1.quorix"}, StartAction::Run, false, "room 1.quorix"},
                      OptionsCase{{"--simulator", "--", "-odd.quorix"}, StartAction::Run, true, "-odd.quorix"},
                      OptionsCase{{"--mode-dir", "/tmp/m", "--device", "/dev/hidraw3", "--trace", "t.txt", "x.QUORIX"},
                                  StartAction::Run,
                                  false,
                                  "x.QUORIX"},
                      // Remote tuning: a room of a venue, through the broker, and nothing local beside it.
                      OptionsCase{{"--room", "101", "--venue", "hall", "--broker", "mqtts://b:8883"}, StartAction::Run},
                      OptionsCase{{"--room", "101"}, StartAction::UsageError},
                      OptionsCase{{"--room", "a/b", "--venue", "hall"}, StartAction::UsageError},
                      OptionsCase{{"--room", "101", "--venue", "hall", "--simulator"}, StartAction::UsageError},
                      OptionsCase{{"--room", "101", "--venue", "hall", "--broker", "http://b"},
                                  StartAction::UsageError},
                      OptionsCase{{"--broker", "mqtt://b", "--simulator"}, StartAction::UsageError}));

TEST(ConsoleOptions, ValuesReachTheirFieldsAndTheUsageStatesTheExitStatus)
{
    const app::ConsoleOptions options = app::ParseConsoleOptions(
        {"quorix-console", "--mode-dir", "/tmp/m", "--device", "/dev/hidraw3", "--trace", "t.txt", "--simulator-memory",
         "m.bin", "--quit-after-first-frame", "--venue", "hall", "--broker", "mqtt://10.0.0.2"});
    EXPECT_EQ(options.modeDir, "/tmp/m");
    EXPECT_EQ(options.device, "/dev/hidraw3");
    EXPECT_EQ(options.trace, "t.txt");
    EXPECT_EQ(options.simulatorMemory, "m.bin");
    EXPECT_TRUE(options.quitAfterFirstFrame);
    EXPECT_EQ(options.venue, "hall");
    EXPECT_EQ(options.broker, "mqtt://10.0.0.2");
    const app::ConsoleOptions remote =
        app::ParseConsoleOptions({"quorix-console", "--room", "101", "--venue", "hall", "--username", "console",
                                  "--password-file", "pw", "--ca-file", "ca.pem"});
    EXPECT_EQ(remote.room, "101");
    EXPECT_EQ(remote.venue, "hall");
    EXPECT_EQ(remote.broker, "mqtt://127.0.0.1");
    EXPECT_EQ(remote.username, "console");
    EXPECT_EQ(remote.passwordFile, "pw");
    EXPECT_EQ(remote.caFile, "ca.pem");
    EXPECT_FALSE(app::ConsoleUsage().contains("quit-after-first-frame"));
    EXPECT_TRUE(app::ConsoleUsage().contains("Exit status: 0"));
}

TEST(QtTranslation, QtsOwnButtonsAndFileDialogsSpeakChinese)
{
    QTranslator translator;
    if (!app::LoadQtTranslation(translator))
        GTEST_SKIP() << "qt6-translations-l10n is not installed";
    QCoreApplication::installTranslator(&translator);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString::fromUtf8("取消"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Look in:"), QString::fromUtf8("查找范围："));
    QCoreApplication::removeTranslator(&translator);
}
