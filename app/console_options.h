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
    // The venue window opens on this venue's rooms; with `room`, the console tunes that room
    // of the venue through its agent instead.
    QString venue;
    QString room;
    QString broker; // empty: the one last used (venue window), mqtt://127.0.0.1 (remote tuning)
    QString username;
    QString passwordFile;
    QString caFile;
    bool quitAfterFirstFrame = false;
};

// `arguments` start with the program's name, as argv does.
ConsoleOptions ParseConsoleOptions(const QStringList& arguments);

// The --help text: options, the file argument and the exit status.
QString ConsoleUsage();

inline constexpr int kExitUsage = 2;
inline constexpr int kExitCannotStart = 1;

} // namespace quorix::app
