// SPDX-License-Identifier: GPL-3.0-or-later
#include "console_options.h"

#include "venue/broker_url.h"
#include "venue/topics.h"

#include <QCommandLineParser>

namespace quorix::app {

QString ConsoleUsage()
{
    return QStringLiteral("usage: quorix-console [options] [FILE.quorix]\n"
                          "The tuning console of the Quorix KTV processor.\n"
                          "\n"
                          "  --simulator              run against the built-in virtual processor instead of USB\n"
                          "  --simulator-memory FILE  load the virtual processor's memory from FILE when it\n"
                          "                           exists and save it there when the console ends\n"
                          "                           (implies --simulator)\n"
                          "  --device PATH            use the processor at PATH (see quorix-cli list) rather\n"
                          "                           than the first one found\n"
                          "  --room NAME --venue NAME tune that room of the venue through its agent (quorix-agent)\n"
                          "                           instead of a processor on this computer's USB\n"
                          "  --broker URL             the venue's MQTT broker (mqtt://HOST[:PORT], mqtts:// for TLS;\n"
                          "                           mqtt://127.0.0.1 when not given)\n"
                          "  --username NAME          the console's user on the broker\n"
                          "  --password-file FILE     its password, the first line of FILE\n"
                          "  --ca-file FILE           the authority that signed the broker's TLS certificate\n"
                          "  --trace FILE             write the protocol trace to FILE\n"
                          "  --mode-dir DIR           keep configuration files in DIR instead of the mode folder\n"
                          "  --venue NAME             alone: open the venue window on the rooms of venue NAME,\n"
                          "                           on --broker or the broker last used\n"
                          "  -h, --help               this text\n"
                          "  -v, --version            the version of quorix-console\n"
                          "  FILE.quorix              once the processor is online, ask whether to write this\n"
                          "                           configuration to it, then write it and read it back\n"
                          "Exit status: 0 the console was closed (or this text or the version was printed);\n"
                          "1 it could not start (no display, or the trace file cannot be written); 2 usage\n"
                          "error (unknown option, an option without its value, more than one file).\n");
}

ConsoleOptions ParseConsoleOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption simulator(QStringLiteral("simulator"));
    const QCommandLineOption memory(QStringLiteral("simulator-memory"), {}, QStringLiteral("FILE"));
    const QCommandLineOption trace(QStringLiteral("trace"), {}, QStringLiteral("FILE"));
    const QCommandLineOption modeDir(QStringLiteral("mode-dir"), {}, QStringLiteral("DIR"));
    const QCommandLineOption device(QStringLiteral("device"), {}, QStringLiteral("PATH"));
    const QCommandLineOption firstFrame(QStringLiteral("quit-after-first-frame"));
    const QCommandLineOption venue(QStringLiteral("venue"), {}, QStringLiteral("NAME"));
    const QCommandLineOption room(QStringLiteral("room"), {}, QStringLiteral("NAME"));
    const QCommandLineOption broker(QStringLiteral("broker"), {}, QStringLiteral("URL"));
    const QCommandLineOption username(QStringLiteral("username"), {}, QStringLiteral("NAME"));
    const QCommandLineOption passwordFile(QStringLiteral("password-file"), {}, QStringLiteral("FILE"));
    const QCommandLineOption caFile(QStringLiteral("ca-file"), {}, QStringLiteral("FILE"));
    parser.addOptions({help, version, simulator, memory, trace, modeDir, device, firstFrame, venue, room, broker,
                       username, passwordFile, caFile});

    ConsoleOptions options;
    if (!parser.parse(arguments)) {
        options.action = StartAction::UsageError;
        options.error = parser.errorText();
        return options;
    }
    if (parser.isSet(help)) {
        options.action = StartAction::PrintHelp;
        return options;
    }
    if (parser.isSet(version)) {
        options.action = StartAction::PrintVersion;
        return options;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        options.action = StartAction::UsageError;
        options.error = QStringLiteral("one configuration file at most");
        return options;
    }
    options.file = files.value(0);
    options.simulatorMemory = parser.value(memory);
    options.simulator = parser.isSet(simulator) || parser.isSet(memory);
    options.trace = parser.value(trace);
    options.modeDir = parser.value(modeDir);
    options.device = parser.value(device);
    options.quitAfterFirstFrame = parser.isSet(firstFrame);
    options.venue = parser.value(venue);
    options.room = parser.value(room);
    options.broker = parser.value(broker);
    options.username = parser.value(username);
    options.passwordFile = parser.value(passwordFile);
    options.caFile = parser.value(caFile);
    const auto refuse = [&](const char* why) {
        options.action = StartAction::UsageError;
        options.error = QString::fromUtf8(why);
        return options;
    };
    const bool remote = parser.isSet(room);
    if (remote && options.broker.isEmpty())
        options.broker = QStringLiteral("mqtt://127.0.0.1");
    if (remote && (!venue::ValidName(options.room.toStdString()) || !venue::ValidName(options.venue.toStdString())))
        return refuse("--room and --venue go together, each a name of letters, digits, '-', '_' and '.'");
    if (remote && (options.simulator || !options.device.isEmpty()))
        return refuse("--room tunes a room through its agent: not with --simulator or --device");
    if (remote && !venue::ParseBrokerUrl(options.broker.toStdString()))
        return refuse("--broker is to be mqtt://HOST[:PORT] or mqtts://HOST[:PORT]");
    if (!remote && parser.isSet(venue) && !venue::ValidName(options.venue.toStdString()))
        return refuse("--venue is a name of letters, digits, '-', '_' and '.'");
    if (!remote && parser.isSet(broker) && !parser.isSet(venue))
        return refuse("--broker goes with --room or --venue");
    if (!remote && parser.isSet(broker) && !venue::ParseBrokerUrl(options.broker.toStdString()))
        return refuse("--broker is to be mqtt://HOST[:PORT] or mqtts://HOST[:PORT]");
    if (!remote && (parser.isSet(username) || parser.isSet(passwordFile) || parser.isSet(caFile)))
        return refuse("--username, --password-file and --ca-file go with --room");
    return options;
}

} // namespace quorix::app
