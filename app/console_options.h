// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorix::app {

enum class StartAction { Run, PrintHelp, PrintVersion, UsageError };

// The console's command line, read before any window system is started so that
// --help, --version and a bad option need no display.
struct ConsoleOptions {
    StartAction action = StartAction::Run;
    QString error; // why the command line was refused
    bool simulator = false;
    QString simulatorMemory;
    QString trace;
    QString modeDir;
    QString device;
    QString file; // a configuration to offer for writing once the processor is online
    QString venue;  // the venue window opens, connected to this venue's rooms on `broker`
    QString broker;
    bool quitAfterFirstFrame = false;
};

// `arguments` start with the program's name, as argv does.
ConsoleOptions ParseConsoleOptions(const QStringList& arguments);

// The --help text: options, the file argument and the exit status.
QString ConsoleUsage();

inline constexpr int kExitUsage = 2;
inline constexpr int kExitCannotStart = 1;

} // namespace quorix::app
