#pragma once

#include "venue/mqtt_client.h"
#include "venue/topics.h"

#include "link/qt_scheduler.h"

#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// A mosquitto of the test's own on a free loopback port, with its
// configuration in a folder of its own; ended with the test. Waits are bounded
// and end as soon as what they wait for has happened.
class BrokerFixture : public ::testing::Test {
protected:
    static constexpr int kWaitMs = 30000;

    void SetUp() override;
    void TearDown() override;

    // Starts the broker with these lines after its listener (passwords, ACLs).
    void startBroker(const std::string& extraLines = "allow_anonymous true\n");
    // Ends the broker and starts it again on the same port: nothing retained survives.
    void restartBroker();
    // A password file of these users, written with mosquitto_passwd.
    std::filesystem::path passwordFile(const std::vector<std::pair<std::string, std::string>>& users);
    std::string url(bool tls = false) const
    {
        return (tls ? "mqtts://127.0.0.1:" : "mqtt://127.0.0.1:") + std::to_string(m_port);
    }
    int port() const { return m_port; }

    // quorix-agent for a room of venue "hall", its output kept in the test folder.
    QProcess& startAgent(const std::string& room, const QStringList& extra, bool tls = false);

    struct Message {
        std::string topic;
        std::string payload;
    };
    // An MQTT client that keeps every message it receives.
    struct Client {
        std::unique_ptr<quorix::venue::MqttClient> mqtt;
        std::vector<Message> messages;
        std::vector<int> acknowledged;
        std::optional<bool> lastSubscription;
        std::string refusal;
    };
    Client& connectClient(const std::string& user = {}, const std::string& password = {}, bool expectRefusal = false);
    // The newest message of `client` on `topic` for which `accept` holds, waiting for it.
    std::optional<std::string> waitForMessage(Client& client, const std::string& topic,
                                              const std::function<bool(const std::string&)>& accept);

    // Whether such a message has come already, without waiting.
    static bool waitForMessageNow(const Client& client, const std::string& topic,
                                  const std::function<bool(const std::string&)>& accept);

    std::filesystem::path m_dir;
    quorix::link::QtScheduler m_scheduler;

private:
    int m_port = 0;
    QProcess m_broker;
    std::vector<std::unique_ptr<QProcess>> m_agents;
    std::vector<std::unique_ptr<Client>> m_clients;
};
