#include "broker_fixture.h"

#include "tests/cli/cli_fixture.h"

#include "venue/command_reply.h"
#include "venue/room_command.h"
#include "venue/room_state.h"

#include "sim/virtual_processor.h"

#include "core/address_map.h"
#include "core/common_addresses.h"
#include "core/config_file.h"

#include <fstream>

using namespace quorix;

namespace {

const venue::RoomAddress kRoom1{"hall", "r1"};
const venue::RoomAddress kRoom2{"hall", "r2"};

bool HasProcessor(const std::string& payload)
{
    const auto state = venue::ParseRoomState(payload).state;
    return state && state->online && state->processor;
}

bool Offline(const std::string& payload)
{
    const auto state = venue::ParseRoomState(payload).state;
    return state && !state->online;
}

std::function<bool(const std::string&)> ReplyTo(const std::string& id)
{
    return [id](const std::string& payload) {
        const auto reply = venue::ParseCommandReply(payload).reply;
        return reply && reply->id == id;
    };
}

std::string LevelCommand(const std::string& id, int value)
{
    venue::RoomCommand command;
    command.id = id;
    command.kind = venue::CommandKind::Level;
    command.value = value;
    return venue::CommandJson(command);
}

} // namespace

TEST_F(BrokerFixture, AnAgentTellsItsRoomAndTheBrokerSaysOfflineWhenItIsKilled)
{
    startBroker();
    auto& console = connectClient();
    console.mqtt->subscribe(venue::VenueFilter("hall", venue::TopicKind::State));
    QProcess& agent = startAgent("r1", {"--simulator"});
    ASSERT_TRUE(waitForMessage(console, venue::Topic(kRoom1, venue::TopicKind::State), HasProcessor));
    agent.kill();
    ASSERT_TRUE(waitForMessage(console, venue::Topic(kRoom1, venue::TopicKind::State), Offline));
    // Retained: a console that comes later learns it too.
    auto& late = connectClient();
    late.mqtt->subscribe(venue::Topic(kRoom1, venue::TopicKind::State));
    EXPECT_TRUE(waitForMessage(late, venue::Topic(kRoom1, venue::TopicKind::State), Offline));
}

TEST_F(BrokerFixture, AfterTheBrokerRestartsTheAgentTellsItsRoomAgainAndTakesCommands)
{
    startBroker();
    auto& console = connectClient();
    console.mqtt->subscribe(venue::VenueFilter("hall", venue::TopicKind::State));
    console.mqtt->subscribe(venue::VenueFilter("hall", venue::TopicKind::Reply));
    startAgent("r1", {"--simulator"});
    const std::string states = venue::Topic(kRoom1, venue::TopicKind::State);
    ASSERT_TRUE(waitForMessage(console, states, HasProcessor));
    restartBroker();
    console.messages.clear();
    // Both clients come back by themselves and subscribe again; the retained state is told anew.
    ASSERT_TRUE(waitForMessage(console, states, HasProcessor));
    console.mqtt->publish(venue::Topic(kRoom1, venue::TopicKind::Command), LevelCommand("again", 21), false);
    EXPECT_TRUE(waitForMessage(console, venue::Topic(kRoom1, venue::TopicKind::Reply), ReplyTo("again")));
}

TEST_F(BrokerFixture, ACommandIsAnsweredByIdAndAMalformedOneIsRefusedChangingNothing)
{
    startBroker();
    auto& console = connectClient();
    console.mqtt->subscribe(venue::VenueFilter("hall", venue::TopicKind::State));
    console.mqtt->subscribe(venue::VenueFilter("hall", venue::TopicKind::Reply));
    startAgent("r1", {"--simulator"});
    ASSERT_TRUE(waitForMessage(console, venue::Topic(kRoom1, venue::TopicKind::State), HasProcessor));
    const std::string commands = venue::Topic(kRoom1, venue::TopicKind::Command);
    const std::string replies = venue::Topic(kRoom1, venue::TopicKind::Reply);
    const std::string states = venue::Topic(kRoom1, venue::TopicKind::State);

    console.mqtt->publish(commands, LevelCommand("set-17", 17), false);
    const auto done = waitForMessage(console, replies, ReplyTo("set-17"));
    ASSERT_TRUE(done);
    EXPECT_EQ(venue::ParseCommandReply(*done).reply->outcome, venue::Outcome::Done);
    const auto changed = waitForMessage(console, states, [](const std::string& payload) {
        const auto state = venue::ParseRoomState(payload).state;
        return state && state->processor && state->processor->levels[0] == 17;
    });
    ASSERT_TRUE(changed);

    const std::size_t statesBefore = console.messages.size();
    console.mqtt->publish(commands, "{\"id\":\"x\",\"command\":\"level\",\"value\":17,}", false);
    console.mqtt->publish(commands, LevelCommand("after", 17), false); // the same value: no new state
    const auto refused = waitForMessage(console, replies, ReplyTo(""));
    ASSERT_TRUE(refused);
    EXPECT_EQ(venue::ParseCommandReply(*refused).reply->outcome, venue::Outcome::Refused);
    ASSERT_TRUE(waitForMessage(console, replies, ReplyTo("after")));
    for (std::size_t i = statesBefore; i < console.messages.size(); ++i)
        EXPECT_NE(console.messages[i].topic, states) << console.messages[i].payload;
}

TEST_F(BrokerFixture, APushToSeveralRoomsReportsEachRoomAndLandsOnEveryProcessorThatTookIt)
{
    startBroker();
    auto& console = connectClient();
    console.mqtt->subscribe(venue::VenueFilter("hall", venue::TopicKind::State));
    const auto memory = [&](const char* room) { return m_dir / (std::string(room) + ".memory"); };
    startAgent("r1", {"--simulator-memory", QString::fromStdString(memory("r1").string())});
    startAgent("r2", {"--simulator-memory", QString::fromStdString(memory("r2").string())});
    startAgent("r3", {}); // no processor plugged in
    ASSERT_TRUE(waitForMessage(console, venue::Topic(kRoom1, venue::TopicKind::State), HasProcessor));
    ASSERT_TRUE(waitForMessage(console, venue::Topic(kRoom2, venue::TopicKind::State), HasProcessor));
    ASSERT_TRUE(waitForMessage(console, venue::Topic({"hall", "r3"}, venue::TopicKind::State),
                               [](const std::string& p) { return !HasProcessor(p) && !Offline(p); }));

    core::ParamStore store, image;
    core::InitParamStore(store, image);
    store.at(0, core::kMasterLevels).value = 11;
    const auto file = m_dir / "venue.quorix";
    ASSERT_TRUE(core::SaveConfigurationFile(file, store).ok);
    const CliRun push =
        RunCli("venue push " + file.string() + " --venue hall --rooms r1,r2,r3 --broker " + url() + " --wait 120");
    EXPECT_EQ(push.exitCode, 1) << push.output;
    EXPECT_NE(push.output.find("r1: done\nr2: done\nr3: refused: 设备未联机！无法进行该操作。\n"), std::string::npos)
        << push.output;
    for (const char* room : {"r1", "r2"}) {
        sim::VirtualProcessor processor;
        ASSERT_TRUE(processor.loadFromFile(memory(room)).ok) << room;
        EXPECT_EQ(processor.value(0, core::kMasterLevels), 11) << room;
    }
    const CliRun list = RunCli("venue list --venue hall --broker " + url());
    EXPECT_EQ(list.exitCode, 0) << list.output;
    EXPECT_NE(list.output.find("room=r1 online=yes variant=1 preset=KTV mode=singing music=11"), std::string::npos)
        << list.output;
    EXPECT_NE(list.output.find("room=r3 online=yes processor=absent"), std::string::npos) << list.output;
}

TEST_F(BrokerFixture, TheAclsKeepEachAgentToItsOwnRoomAndNoPasswordIsEverPublished)
{
    const auto passwords = passwordFile({{"r1", "pw-room-one"}, {"r2", "pw-room-two"}, {"console", "pw-console"}});
    const auto acl = m_dir / "acl";
    std::ofstream(acl) << "user console\n"
                          "topic read quorix/hall/+/state\n"
                          "topic read quorix/hall/+/reply\n"
                          "topic write quorix/hall/+/command\n"
                          "pattern write quorix/hall/%u/state\n"
                          "pattern write quorix/hall/%u/reply\n"
                          "pattern read quorix/hall/%u/command\n";
    startBroker("allow_anonymous false\npassword_file " + passwords.string() + "\nacl_file " + acl.string() + "\n");
    std::ofstream(m_dir / "r2.password") << "pw-room-two\n";
    startAgent("r2", {"--simulator", "--username", "r2", "--password-file",
                      QString::fromStdString((m_dir / "r2.password").string())});

    auto& console = connectClient("console", "pw-console");
    console.mqtt->subscribe(venue::VenueFilter("hall", venue::TopicKind::State));
    console.mqtt->subscribe(venue::VenueFilter("hall", venue::TopicKind::Reply));
    const std::string room2State = venue::Topic(kRoom2, venue::TopicKind::State);
    ASSERT_TRUE(waitForMessage(console, room2State, HasProcessor));

    connectClient("r1", "wrong", true);
    connectClient({}, {}, true);
    auto& foreign = connectClient("r1", "pw-room-one");
    // Room 1's agent may not read room 2's commands: the broker takes the
    // subscription but passes it nothing.
    const std::string room2Commands = venue::Topic(kRoom2, venue::TopicKind::Command);
    foreign.mqtt->subscribe(room2Commands);
    ASSERT_TRUE(QTest::qWaitFor([&] { return foreign.lastSubscription.has_value(); }, kWaitMs));
    console.mqtt->publish(room2Commands, LevelCommand("c", 9), false);
    ASSERT_TRUE(waitForMessage(console, venue::Topic(kRoom2, venue::TopicKind::Reply), ReplyTo("c")));
    EXPECT_FALSE(waitForMessageNow(foreign, room2Commands, [](const std::string&) { return true; }));
    // Nor tell room 2's state: the broker drops it; its own reply, sent after, arrives.
    const int forged = foreign.mqtt->publish(room2State, R"({"venue":"hall","room":"r2","online":false})", true);
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return !foreign.acknowledged.empty() && foreign.acknowledged[0] == forged; }, kWaitMs));
    foreign.mqtt->publish(venue::Topic(kRoom1, venue::TopicKind::Reply), R"({"id":"marker","outcome":"done"})", false);
    ASSERT_TRUE(waitForMessage(console, venue::Topic(kRoom1, venue::TopicKind::Reply), ReplyTo("marker")));
    EXPECT_FALSE(waitForMessageNow(console, room2State, Offline));

    // Nothing anyone received holds a password, nor does the agent's log.
    for (const auto& message : console.messages)
        EXPECT_EQ(message.payload.find("pw-"), std::string::npos) << message.topic;
    std::ifstream log(m_dir / "agent-r2.log");
    const std::string logged((std::istreambuf_iterator<char>(log)), {});
    EXPECT_EQ(logged.find("pw-room-two"), std::string::npos) << logged;
    EXPECT_NE(logged.find("password (set)"), std::string::npos) << logged;
}
