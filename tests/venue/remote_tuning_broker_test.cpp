#include "broker_fixture.h"

#include "tests/cli/cli_fixture.h"

#include "app/remote_room.h"

#include "venue/room_state.h"

#include "sim/virtual_processor.h"

#include "link/device_link.h"
#include "link/link_workspace.h"

#include "core/address_map.h"
#include "core/common_addresses.h"

#include <fstream>

using namespace quorix;

namespace {

const venue::RoomAddress kRoom1{"hall", "r1"};
const venue::RoomAddress kRoom2{"hall", "r2"};
constexpr int kSyncWaitMs = 120000;

// A console's link on a room of the venue, as quorix-console --room composes it.
struct RemoteConsole : link::LinkHost, link::LinkWorkspace {
    RemoteConsole(const std::string& name, const venue::RoomAddress& address, int port, core::Scheduler& scheduler)
        : room(settings(name, address, port), scheduler), link(room, scheduler, context(), *this)
    {
        room.onProblem([this](const std::string& problem) { problems.push_back(problem); });
        EXPECT_TRUE(room.start()) << room.lastError();
        link.start();
    }
    static app::RemoteRoom::Settings settings(const std::string& name, const venue::RoomAddress& address, int port)
    {
        app::RemoteRoom::Settings settings;
        settings.room = address;
        settings.broker.broker = {"127.0.0.1", port, false};
        settings.broker.clientId = name;
        settings.broker.username = "console";
        settings.broker.password = "pw-console-7Qx";
        return settings;
    }
    void report(const link::LinkReport& report) override
    {
        if (report.code == link::LinkCode::Synchronised)
            ++synchronised;
    }

    app::RemoteRoom room;
    link::DeviceLink link;
    std::vector<std::string> problems;
    int synchronised = 0;
};

std::function<bool(const std::string&)> Levels(int music)
{
    return [music](const std::string& payload) {
        const auto state = venue::ParseRoomState(payload).state;
        return state && state->processor && state->processor->levels[0] == music && state->tunedBy.empty();
    };
}

} // namespace

TEST_F(BrokerFixture, RemoteTuningSynchronisesThroughTheAgentOneConsoleAtATimeAndTheEditLandsOnItsRoom)
{
    const std::vector<std::pair<std::string, std::string>> users = {
        {"r1", "pw-room-one-3Kd"}, {"r2", "pw-room-two-8Wm"}, {"console", "pw-console-7Qx"}, {"admin", "pw-admin-5Tz"}};
    const auto passwords = passwordFile(users);
    const auto acl = m_dir / "acl";
    std::ofstream(acl) << "user admin\n"
                          "topic read #\n"
                          "user console\n"
                          "topic read quorix/hall/+/state\n"
                          "topic read quorix/hall/+/reply\n"
                          "topic write quorix/hall/+/command\n"
                          "topic write quorix/hall/+/hid-out\n"
                          "topic read quorix/hall/+/hid-in\n"
                          "pattern write quorix/hall/%u/state\n"
                          "pattern write quorix/hall/%u/reply\n"
                          "pattern read quorix/hall/%u/command\n"
                          "pattern read quorix/hall/%u/hid-out\n"
                          "pattern write quorix/hall/%u/hid-in\n";
    startBroker("allow_anonymous false\npassword_file " + passwords.string() + "\nacl_file " + acl.string() + "\n");
    auto& admin = connectClient("admin", "pw-admin-5Tz");
    admin.mqtt->subscribe("#");
    const auto memory = [&](const char* room) { return m_dir / (std::string(room) + ".memory"); };
    QProcess* agents[2] = {};
    for (const auto& [index, room] : {std::pair{0, "r1"}, std::pair{1, "r2"}}) {
        std::ofstream(m_dir / (std::string(room) + ".password"))
            << users[static_cast<std::size_t>(index)].second << '\n';
        agents[index] = &startAgent(
            room, {"--simulator-memory", QString::fromStdString(memory(room).string()), "--username", room,
                   "--password-file", QString::fromStdString((m_dir / (std::string(room) + ".password")).string())});
    }
    const std::string room2State = venue::Topic(kRoom2, venue::TopicKind::State);
    ASSERT_TRUE(waitForMessage(admin, room2State, Levels(20)));
    ASSERT_TRUE(waitForMessage(admin, venue::Topic(kRoom1, venue::TopicKind::State), Levels(20)));

    auto first = std::make_unique<RemoteConsole>("console-a", kRoom2, port(), m_scheduler);
    ASSERT_TRUE(QTest::qWaitFor([&] { return first->synchronised > 0; }, kSyncWaitMs)) << "no synchronisation";
    EXPECT_EQ(first->store.at(0, core::kMasterLevels).value, 20);
    ASSERT_TRUE(waitForMessage(admin, room2State, [](const std::string& payload) {
        const auto state = venue::ParseRoomState(payload).state;
        return state && state->tunedBy == "console-a";
    }));

    auto second = std::make_unique<RemoteConsole>("console-b", kRoom2, port(), m_scheduler);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !second->problems.empty(); }, kWaitMs));
    EXPECT_EQ(second->problems.front(), "the room is tuned remotely from console-a");
    EXPECT_FALSE(second->room.held());
    second.reset();

    first->store.at(0, core::kMasterLevels).value = 37;
    first->link.queueWrite(0, core::kMasterLevels);
    // The agent keeps what the console wrote in the room's memory file while the console still holds the room.
    const auto musicInMemory = [&](const char* room) {
        sim::VirtualProcessor processor;
        return processor.loadFromFile(memory(room)).ok ? processor.value(0, core::kMasterLevels) : -1;
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return musicInMemory("r2") == 37; }, kWaitMs));
    first.reset(); // gives the room back: its agent reads the processor anew
    ASSERT_TRUE(waitForMessage(admin, room2State, Levels(37)));

    for (QProcess* agent : agents) {
        agent->terminate();
        ASSERT_TRUE(agent->waitForFinished(10000));
    }
    for (const auto& [room, music] : {std::pair{"r1", 20}, std::pair{"r2", 37}})
        EXPECT_EQ(musicInMemory(room), music) << room;
    // Everything the broker carried, reports included, and the agents' logs hold no password.
    for (const auto kind : {venue::TopicKind::HidOut, venue::TopicKind::HidIn})
        EXPECT_TRUE(waitForMessageNow(admin, venue::Topic(kRoom2, kind), [](const std::string&) { return true; }));
    for (const auto& [user, password] : users) {
        for (const auto& message : admin.messages)
            EXPECT_EQ(message.payload.find(password), std::string::npos) << message.topic;
        for (const char* room : {"r1", "r2"}) {
            std::ifstream log(m_dir / ("agent-" + std::string(room) + ".log"));
            const std::string logged((std::istreambuf_iterator<char>(log)), {});
            EXPECT_EQ(logged.find(password), std::string::npos) << room;
        }
    }
}

TEST_F(BrokerFixture, OverTlsTheAgentAndTheCliTrustTheVenuesAuthorityAndNothingElse)
{
    const auto path = [&](const char* name) { return QString::fromStdString((m_dir / name).string()); };
    std::ofstream(m_dir / "san") << "subjectAltName=IP:127.0.0.1\n";
    const auto openssl = [](const QStringList& arguments) {
        QProcess run;
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start("openssl", arguments);
        EXPECT_TRUE(run.waitForFinished(30000)) << "openssl; scripts/bootstrap installs it";
        EXPECT_EQ(run.exitCode(), 0) << run.readAll().toStdString();
    };
    const QStringList ec = {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
    openssl(QStringList{"req", "-x509"} + ec +
            QStringList{"-keyout", path("ca.key"), "-out", path("ca.pem"), "-days", "1", "-subj",
                        "/CN=quorix test authority"});
    openssl(QStringList{"req"} + ec +
            QStringList{"-keyout", path("server.key"), "-out", path("server.csr"), "-subj", "/CN=127.0.0.1"});
    openssl({"x509", "-req", "-in", path("server.csr"), "-CA", path("ca.pem"), "-CAkey", path("ca.key"),
             "-CAcreateserial", "-out", path("server.pem"), "-days", "1", "-extfile", path("san")});
    // The broker may read it after giving up root.
    std::filesystem::permissions(m_dir / "server.key", std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::group_read |
                                                           std::filesystem::perms::others_read);
    startBroker("certfile " + (m_dir / "server.pem").string() + "\nkeyfile " + (m_dir / "server.key").string() +
                "\nallow_anonymous true\n");
    startAgent("r1", {"--simulator", "--ca-file", path("ca.pem")}, true);

    CliRun list{};
    const std::string trusted =
        "venue list --venue hall --wait 1 --broker " + url(true) + " --ca-file " + (m_dir / "ca.pem").string();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            list = RunCli(trusted);
            return list.output.find("room=r1 online=yes variant=1") != std::string::npos;
        },
        kWaitMs))
        << list.output;
    EXPECT_EQ(list.exitCode, 0);

    // Without the venue's authority (the system's own do not know it), and in the clear, the broker is not reached.
    for (const std::string& broker : {url(true), url(false)}) {
        const CliRun refused = RunCli("venue list --venue hall --wait 2 --broker " + broker);
        EXPECT_EQ(refused.exitCode, 1) << broker;
        EXPECT_NE(refused.output.find("did not take the connection"), std::string::npos) << refused.output;
        EXPECT_EQ(refused.output.find("room=r1"), std::string::npos) << refused.output;
    }
}
