// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote_room.h"

#include <unistd.h>

namespace quorix::app {

std::string ConsoleName()
{
    char host[256] = {};
    ::gethostname(host, sizeof host - 1);
    std::string name;
    for (const char* c = host; *c; ++c)
        name += venue::ValidName(std::string(1, *c)) ? *c : '-';
    name = name.substr(0, 40);
    return (name.empty() ? "console" : name) + "." + std::to_string(::getpid());
}

RemoteRoom::RemoteRoom(Settings settings, core::Scheduler& scheduler)
{
    m_backend =
        std::make_unique<venue::RemoteRoomBackend>(settings.room, settings.broker.clientId, scheduler,
                                                   [this](const std::string& topic, const std::string& payload) {
                                                       m_client->publish(topic, payload, false, venue::TopicQos(topic));
                                                   });
    settings.broker.will = venue::MqttSettings::Will{venue::Topic(settings.room, venue::TopicKind::Command),
                                                     m_backend->willPayload(), false};
    m_client = std::make_unique<venue::MqttClient>(settings.broker, scheduler);
    m_client->onMessage(
        [this](const std::string& topic, const std::string& payload, bool) { m_backend->receive(topic, payload); });
    m_client->onConnection([this](bool connected, const std::string& reason) {
        if (connected)
            m_backend->start(); // asks at once, and again at every connection
        else if (m_onProblem)
            m_onProblem("the broker: " + reason);
    });
    m_backend->onRefused([this](const std::string& reason) {
        if (m_onProblem)
            m_onProblem(reason);
    });
    for (const std::string& filter : m_backend->subscriptions())
        m_client->subscribe(filter);
}

RemoteRoom::~RemoteRoom()
{
    m_backend->stop();
    m_client->disconnect();
}

bool RemoteRoom::start()
{
    return m_client->start();
}

} // namespace quorix::app
