#include "commands.h"
#include "integer_option.h"
#include "read_configuration.h"

#include "venue/broker_url.h"
#include "venue/mqtt_client.h"
#include "venue/room_command.h"
#include "venue/room_state.h"
#include "venue/topics.h"
#include "venue/venue_round.h"

#include "link/qt_scheduler.h"

#include "core/config_file.h"
#include "core/preset_name.h"
#include "core/read_small_file.h"

#include <QCoreApplication>

#include <unistd.h>

#include <functional>
#include <iostream>
#include <map>
#include <sstream>

namespace quorix::cli {

namespace {

constexpr const char* kUsage =
    "usage: quorix-cli venue list|push FILE.quorix|recall 0..7 --venue NAME [--rooms A,B,..] [--broker URL]\n"
    "                 [--username NAME --password-file FILE] [--ca-file FILE] [--preset 0..7] [--wait 1..3600]\n";

int Usage(const std::string& problem)
{
    std::cerr << "quorix-cli venue: " << problem << '\n' << kUsage;
    return 2;
}

std::vector<std::string> SplitRooms(const std::string& text)
{
    std::vector<std::string> rooms;
    std::istringstream in(text);
    for (std::string room; std::getline(in, room, ',');)
        rooms.push_back(room);
    return rooms;
}

// Runs the Qt event loop until `done` holds or `seconds` have passed.
void WaitFor(core::Scheduler& scheduler, const std::function<bool()>& done, int seconds)
{
    bool expired = false;
    const auto deadline = scheduler.createTimer(seconds * 1000, true, [&] { expired = true; });
    deadline->start();
    while (!done() && !expired)
        scheduler.processPendingEvents();
}

std::string StateLine(const venue::RoomState& state)
{
    std::ostringstream line;
    line << "room=" << state.address.room << " online=" << (state.online ? "yes" : "no");
    if (!state.tunedBy.empty())
        line << " tunedBy=" << state.tunedBy;
    if (state.online && !state.processor)
        line << " processor=absent";
    if (const auto& p = state.processor) {
        line << " variant=" << p->variant << " preset=" << core::PresetName(p->preset)
             << " mode=" << (p->mode == 1 ? "dance" : "singing");
        for (std::size_t i = 0; i < venue::kLevelNames.size(); ++i)
            line << ' ' << venue::kLevelNames[i] << '=' << p->levels[i] << (p->muted[i] ? "(muted)" : "");
        line << " tone=" << p->tone << " hash=" << p->workingSetHash;
    }
    if (state.lastSeen != 0)
        line << " lastSeen=" << state.lastSeen;
    return line.str();
}

} // namespace

int CommandVenue(const CliArgs& args)
{
    if (args.positional.empty())
        return Usage("list, push or recall is needed");
    const std::string& action = args.positional[0];
    const bool list = action == "list";
    const bool push = action == "push";
    const bool recall = action == "recall";
    if (!list && !push && !recall)
        return Usage("unknown venue command " + action.substr(0, 40));
    if (args.positional.size() != (list ? 1u : 2u))
        return Usage(list ? "list takes no further word" : action + " needs one " + (push ? "file" : "preset"));
    std::string error;
    const int defaultWait = list ? 1 : push ? venue::kPushWaitSeconds : venue::kRecallWaitSeconds;
    const auto wait = IntegerOption(args, "--wait", defaultWait, 1, 3600, error);
    const auto preset =
        args.has("--preset") ? IntegerOption(args, "--preset", std::nullopt, 0, 7, error) : std::optional<int>{};
    const std::string venueName = args.option("--venue").value_or("");
    const auto rooms = SplitRooms(args.option("--rooms").value_or(""));
    const auto broker = venue::ParseBrokerUrl(args.option("--broker").value_or("mqtt://127.0.0.1"));
    if (error.empty() && !venue::ValidName(venueName))
        error = "--venue NAME is needed (letters, digits, '-', '_', '.')";
    if (error.empty() && !broker)
        error = "--broker is to be mqtt://HOST[:PORT] or mqtts://HOST[:PORT]";
    if (error.empty() && !list && (rooms.empty() || !std::all_of(rooms.begin(), rooms.end(), venue::ValidName)))
        error = "--rooms A,B,.. names the rooms";
    if (error.empty() && preset && !push)
        error = "--preset goes with push";
    if (!error.empty())
        return Usage(error);

    venue::RoomCommand command;
    if (push) {
        const auto configuration = ReadConfiguration(args.positional[1]);
        if (!configuration)
            return 1;
        command.kind = venue::CommandKind::Push;
        command.configuration = core::EncodeConfiguration(*configuration);
        command.preset = preset;
    } else if (recall) {
        const auto& word = args.positional[1];
        if (word.size() != 1 || word[0] < '0' || word[0] > '7')
            return Usage("recall takes a preset 0..7");
        command.kind = venue::CommandKind::Recall;
        command.preset = word[0] - '0';
    }

    venue::MqttSettings settings;
    settings.broker = *broker;
    settings.clientId = "quorix-cli-" + std::to_string(::getpid());
    settings.username = args.option("--username").value_or("");
    if (const auto file = args.option("--password-file")) {
        const auto read = core::ReadSmallFile(*file, 4096);
        if (read.problem != core::SmallFileProblem::None) {
            std::cerr << "quorix-cli venue: the password file " << *file << " cannot be read\n";
            return 1;
        }
        settings.password = read.bytes.substr(0, read.bytes.find_first_of("\r\n"));
    }
    settings.caFile = args.option("--ca-file").value_or("");

    int argc = 1;
    char name[] = "quorix-cli";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    link::QtScheduler scheduler;
    venue::MqttClient client(settings, scheduler);
    std::string refused;
    client.onConnection([&](bool connected, const std::string& reason) {
        if (!connected)
            refused = reason;
    });
    std::optional<bool> subscribed;
    client.onSubscribed([&](int, bool granted) { subscribed = granted; });
    std::map<std::string, venue::RoomState> states;
    std::vector<std::string> unreadable;
    std::optional<venue::VenueRound> round;
    client.onMessage([&](const std::string& topic, const std::string& payload, bool) {
        if (const auto room = venue::RoomOfTopic(topic, venue::TopicKind::State); room && list) {
            const auto parsed = venue::ParseRoomState(payload);
            if (parsed.state && parsed.state->address == *room)
                states[room->room] = *parsed.state;
            else
                unreadable.push_back(room->room + ": " + (parsed.state ? "a state of another room" : parsed.refusal));
        } else if (const auto replying = venue::RoomOfTopic(topic, venue::TopicKind::Reply); replying && round) {
            round->take(replying->room, payload);
        }
    });
    if (!client.start()) {
        std::cerr << "quorix-cli venue: " << client.lastError() << '\n';
        return 1;
    }
    const int connectSeconds = std::min(*wait, 10);
    WaitFor(
        scheduler, [&] { return client.connected() || !refused.empty(); }, connectSeconds);
    if (!client.connected()) {
        std::cerr << "quorix-cli venue: the broker " << args.option("--broker").value_or("mqtt://127.0.0.1")
                  << " did not take the connection: " << (refused.empty() ? "no answer" : refused) << '\n';
        return 1;
    }
    client.subscribe(venue::VenueFilter(venueName, list ? venue::TopicKind::State : venue::TopicKind::Reply));
    WaitFor(
        scheduler, [&] { return subscribed.has_value(); }, connectSeconds);
    if (subscribed != true) {
        std::cerr << "quorix-cli venue: the broker does not let this user read the venue's "
                  << (list ? "states" : "replies") << '\n';
        return 1;
    }
    if (list) {
        // Retained states come at once; a little wait lets them all arrive.
        WaitFor(
            scheduler, [] { return false; }, *wait);
        for (const auto& [room, state] : states)
            std::cout << StateLine(state) << '\n';
        for (const auto& line : unreadable)
            std::cerr << "unreadable state of " << line << '\n';
        client.disconnect();
        return 0;
    }
    round.emplace(rooms, settings.clientId + "-" + std::to_string(scheduler.nowMs()));
    round->send(venueName, command, [&](const std::string& topic, const std::string& payload) {
        return client.publish(topic, payload, false);
    });
    WaitFor(
        scheduler, [&] { return round->answered(); }, *wait);
    round->expire();
    client.disconnect();
    std::cout << round->report();
    if (!round->answered())
        std::cerr << "a room that gave no answer within " << *wait << " s may or may not have done it\n";
    return round->allDone() ? 0 : 1;
}

} // namespace quorix::cli
