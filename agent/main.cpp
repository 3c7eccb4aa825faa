// quorix-agent: a room's processor on the venue's MQTT broker.
#include "agent_options.h"
#include "room_agent.h"

#include "venue/broker_url.h"
#include "venue/mqtt_client.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/hidapi_backend.h"
#include "link/qt_scheduler.h"
#include "link/qt_wake_up.h"

#include "platform/heap_reuse.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <memory>
#include <unistd.h>

using namespace quorix;

namespace {

int g_quitPipe[2] = {-1, -1};

void RequestQuit(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(g_quitPipe[1], &byte, 1);
}

} // namespace

int main(int argc, char** argv)
{
    platform::KeepFreedHeapForReuse();
    const agent::AgentOptions options = agent::ParseAgentOptions({argv + 1, argv + argc});
    switch (options.action) {
    case agent::AgentAction::Help:
        std::cout << agent::kAgentUsage;
        return 0;
    case agent::AgentAction::Version:
        std::cout << "quorix-agent " << QUORIX_VERSION << '\n';
        return 0;
    case agent::AgentAction::UsageError:
        std::cerr << "quorix-agent: " << options.error << '\n' << agent::kAgentUsage;
        return 2;
    case agent::AgentAction::Run:
        break;
    }
    const agent::AgentConfig& config = options.config;
    QCoreApplication app(argc, argv);
    link::QtScheduler scheduler;
    link::QtWakeUp wakeUp;

    sim::VirtualProcessor processor;
    std::unique_ptr<link::HidBackend> backend;
    if (config.simulator) {
        std::error_code missing;
        if (!config.simulatorMemory.empty() && std::filesystem::exists(config.simulatorMemory, missing)) {
            if (const auto loaded = processor.loadFromFile(config.simulatorMemory); !loaded.ok) {
                std::cerr << "quorix-agent: the virtual processor's memory " << config.simulatorMemory
                          << " cannot be used: " << loaded.message << '\n';
                return 1;
            }
        }
        backend = std::make_unique<sim::SimUsbPort>(processor, scheduler);
    } else {
        backend = std::make_unique<link::HidapiBackend>(&wakeUp);
    }

    const venue::RoomAddress address{config.venue, config.room};
    venue::MqttSettings settings;
    settings.broker = *venue::ParseBrokerUrl(config.broker);
    settings.clientId = "quorix-agent-" + config.venue + "-" + config.room;
    settings.username = config.username;
    settings.password = config.password;
    settings.caFile = config.caFile;
    settings.certFile = config.certFile;
    settings.keyFile = config.keyFile;
    settings.will = {venue::Topic(address, venue::TopicKind::State), agent::RoomAgent::willPayload(address)};
    venue::MqttClient client(settings, scheduler);
    agent::RoomAgent room(
        address, *backend, scheduler,
        [&](const std::string& topic, const std::string& payload, bool retain) {
            client.publish(topic, payload, retain, venue::TopicQos(topic));
        },
        [] { return static_cast<std::int64_t>(std::time(nullptr)); }, std::cerr);
    const auto saveMemory = [&] {
        if (config.simulator && !config.simulatorMemory.empty())
            if (const auto saved = processor.saveToFile(config.simulatorMemory); !saved.ok)
                std::cerr << "quorix-agent: " << saved.message << '\n';
    };
    room.onCommandEnded(saveMemory);
    room.onRemoteWrites(saveMemory);
    client.onConnection([&](bool connected, const std::string& reason) {
        std::cerr << (connected ? "broker: connected\n" : "broker: " + reason + "\n");
        if (connected)
            room.brokerConnected();
    });
    client.onMessage([&](const std::string& topic, const std::string& payload, bool retained) {
        room.receive(topic, payload, retained);
    });
    client.subscribe(venue::Topic(address, venue::TopicKind::Command));
    client.subscribe(venue::Topic(address, venue::TopicKind::HidOut));

    std::cerr << "quorix-agent: " << agent::DescribeConfig(config) << '\n';
    if (!client.start()) {
        std::cerr << "quorix-agent: " << client.lastError() << '\n';
        return 1;
    }
    room.start();

    // SIGTERM (systemd's stop) and SIGINT end the agent cleanly: the running command ends
    // first, then the room is told offline.
    if (::pipe(g_quitPipe) != 0)
        return 1;
    QSocketNotifier quitNotifier(g_quitPipe[0], QSocketNotifier::Read);
    QObject::connect(&quitNotifier, &QSocketNotifier::activated, &app, [&] {
        quitNotifier.setEnabled(false);
        room.finishThenStop([] { QCoreApplication::quit(); });
    });
    std::signal(SIGTERM, RequestQuit);
    std::signal(SIGINT, RequestQuit);

    const int code = QCoreApplication::exec();
    room.stop();
    saveMemory();
    client.publish(venue::Topic(address, venue::TopicKind::State), agent::RoomAgent::willPayload(address), true);
    client.disconnect();
    std::cerr << "quorix-agent: stopped\n";
    return code;
}
