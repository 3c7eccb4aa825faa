#include "broker_fixture.h"

#include "loopback_port.h"

#include <unistd.h>

#include <fstream>

void BrokerFixture::SetUp()
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    m_dir =
        std::filesystem::temp_directory_path() / ("quorix-venue-" + std::to_string(::getpid()) + "-" + test->name());
    std::filesystem::remove_all(m_dir);
    std::filesystem::create_directories(m_dir);
}

void BrokerFixture::TearDown()
{
    m_clients.clear();
    for (auto& agent : m_agents) {
        agent->terminate();
        if (!agent->waitForFinished(5000))
            agent->kill();
        agent->waitForFinished(5000);
    }
    m_agents.clear();
    m_broker.kill();
    m_broker.waitForFinished(5000);
    if (!HasFailure())
        std::filesystem::remove_all(m_dir);
}

void BrokerFixture::startBroker(const std::string& extraLines)
{
    m_port = FreeLoopbackPort();
    std::ofstream(m_dir / "mosquitto.conf") << "listener " << m_port << " 127.0.0.1\n" << extraLines;
    restartBroker();
}

void BrokerFixture::restartBroker()
{
    m_broker.kill();
    m_broker.waitForFinished(5000);
    const auto config = m_dir / "mosquitto.conf";
    m_broker.setProcessChannelMode(QProcess::MergedChannels);
    m_broker.setStandardOutputFile(QString::fromStdString((m_dir / "mosquitto.log").string()), QIODevice::Append);
    m_broker.start("mosquitto", {"-c", QString::fromStdString(config.string())});
    ASSERT_TRUE(m_broker.waitForStarted(5000)) << "mosquitto does not start; scripts/bootstrap installs it";
    ASSERT_TRUE(QTest::qWaitFor([&] { return LoopbackListening(m_port); }, kWaitMs)) << "mosquitto does not listen";
}

std::filesystem::path BrokerFixture::passwordFile(const std::vector<std::pair<std::string, std::string>>& users)
{
    auto file = m_dir / "passwords";
    std::ofstream(file).flush();
    for (const auto& [user, password] : users) {
        const int status =
            QProcess::execute("mosquitto_passwd", {"-b", QString::fromStdString(file.string()),
                                                   QString::fromStdString(user), QString::fromStdString(password)});
        EXPECT_EQ(status, 0) << "mosquitto_passwd";
    }
    return file;
}

QProcess& BrokerFixture::startAgent(const std::string& room, const QStringList& extra, bool tls)
{
    auto agent = std::make_unique<QProcess>();
    agent->setProcessChannelMode(QProcess::MergedChannels);
    agent->setStandardOutputFile(QString::fromStdString((m_dir / ("agent-" + room + ".log")).string()));
    agent->start(QUORIX_AGENT, QStringList{"--venue", "hall", "--room", QString::fromStdString(room), "--broker",
                                           QString::fromStdString(url(tls))} +
                                   extra);
    EXPECT_TRUE(agent->waitForStarted(5000));
    m_agents.push_back(std::move(agent));
    return *m_agents.back();
}

BrokerFixture::Client& BrokerFixture::connectClient(const std::string& user, const std::string& password,
                                                    bool expectRefusal)
{
    auto client = std::make_unique<Client>();
    quorix::venue::MqttSettings settings;
    settings.broker = {"127.0.0.1", m_port, false};
    settings.clientId = "test-" + std::to_string(m_clients.size());
    settings.username = user;
    settings.password = password;
    client->mqtt = std::make_unique<quorix::venue::MqttClient>(settings, m_scheduler);
    Client* c = client.get();
    c->mqtt->onMessage([c](const std::string& topic, const std::string& payload, bool) {
        c->messages.push_back({topic, payload});
    });
    c->mqtt->onPublished([c](int id) { c->acknowledged.push_back(id); });
    c->mqtt->onSubscribed([c](int, bool granted) { c->lastSubscription = granted; });
    c->mqtt->onConnection([c](bool connected, const std::string& reason) {
        if (!connected)
            c->refusal = reason;
    });
    EXPECT_TRUE(c->mqtt->start());
    EXPECT_TRUE(QTest::qWaitFor([c] { return c->mqtt->connected() || !c->refusal.empty(); }, kWaitMs));
    EXPECT_EQ(c->mqtt->connected(), !expectRefusal) << c->refusal;
    m_clients.push_back(std::move(client));
    return *c;
}

std::optional<std::string> BrokerFixture::waitForMessage(Client& client, const std::string& topic,
                                                         const std::function<bool(const std::string&)>& accept)
{
    std::optional<std::string> found;
    (void)QTest::qWaitFor(
        [&] {
            for (auto m = client.messages.rbegin(); m != client.messages.rend(); ++m)
                if (m->topic == topic && accept(m->payload)) {
                    found = m->payload;
                    return true;
                }
            return false;
        },
        kWaitMs);
    return found;
}

bool BrokerFixture::waitForMessageNow(const Client& client, const std::string& topic,
                                      const std::function<bool(const std::string&)>& accept)
{
    for (const auto& m : client.messages)
        if (m.topic == topic && accept(m.payload))
            return true;
    return false;
}
