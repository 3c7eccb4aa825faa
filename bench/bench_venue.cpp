// 50 rooms on one mosquitto: each an agent of its own (its own virtual
// processor, its own MQTT connection, its own thread; all in this process), and a console's
// venue model listening. A push to all 50 against a push to one, measured in
// the same run, twice: with processors that answer at once (the rooms' CPU
// alone, 50 rooms taking turns on this machine's cores) and with each paced
// like the full-speed USB endpoint a room's processor is (its transfer time,
// which the rooms spend side by side); how long a room's state takes to reach
// the model; the broker's and the agents' CPU while the venue idles.
#include "tests/venue/loopback_port.h"

#include "agent/room_agent.h"

#include "venue/mqtt_client.h"
#include "venue/venue_rooms.h"
#include "venue/venue_round.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/qt_scheduler.h"

#include "platform/heap_reuse.h"

#include "core/address_map.h"
#include "core/common_addresses.h"
#include "core/config_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

using namespace quorix;

namespace {

constexpr int kRooms = 50;
constexpr const char* kVenue = "bench";
constexpr int kWaitMs = 120000;

double NowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

std::string RoomName(int i)
{
    return std::to_string(101 + i);
}

struct Room {
    explicit Room(int i, const std::string& url, core::Scheduler& scheduler, std::ostream& log)
        : address{kVenue, RoomName(i)}, port(processor, scheduler)
    {
        venue::MqttSettings settings;
        settings.broker = *venue::ParseBrokerUrl(url);
        settings.clientId = "bench-agent-" + address.room;
        settings.will = {venue::Topic(address, venue::TopicKind::State), agent::RoomAgent::willPayload(address)};
        client = std::make_unique<venue::MqttClient>(settings, scheduler);
        agent = std::make_unique<agent::RoomAgent>(
            address, port, scheduler,
            [this](const std::string& topic, const std::string& payload, bool retain) {
                if (onPublish)
                    onPublish(topic, payload);
                client->publish(topic, payload, retain);
            },
            [] { return static_cast<std::int64_t>(std::time(nullptr)); }, log);
        client->onConnection([this](bool connected, const std::string&) {
            if (connected)
                agent->brokerConnected();
        });
        client->onMessage([this](const std::string& topic, const std::string& payload, bool retained) {
            agent->receive(topic, payload, retained);
        });
        client->subscribe(venue::Topic(address, venue::TopicKind::Command));
        client->start();
        agent->start();
    }

    venue::RoomAddress address;
    sim::VirtualProcessor processor;
    sim::SimUsbPort port;
    std::unique_ptr<venue::MqttClient> client;
    std::unique_ptr<agent::RoomAgent> agent;
    std::function<void(const std::string& topic, const std::string& payload)> onPublish;
};

// A room on a thread of its own, as its agent is a program of its own on the
// room's PC: while one room's agent waits for its processor, the others go on.
class RoomThread final : public QThread {
public:
    RoomThread(int i, std::string url) : address{kVenue, RoomName(i)}, m_index(i), m_url(std::move(url))
    {
        start();
        m_ready.acquire();
    }
    ~RoomThread() override
    {
        quit();
        wait();
    }

    // Runs `work` on the room's thread, and waits for it.
    void call(const std::function<void(Room&)>& work)
    {
        QMetaObject::invokeMethod(
            m_context, [&] { work(*m_room); }, Qt::BlockingQueuedConnection);
    }

    const venue::RoomAddress address;

protected:
    void run() override
    {
        link::QtScheduler scheduler;
        std::ostringstream log;
        Room room(m_index, m_url, scheduler, log);
        QObject context;
        m_room = &room;
        m_context = &context;
        m_ready.release();
        exec();
    }

private:
    const int m_index;
    const std::string m_url;
    QSemaphore m_ready;
    Room* m_room = nullptr;
    QObject* m_context = nullptr;
};

// The broker, the rooms and the console's side, made once for all the benchmarks.
class Venue {
public:
    Venue()
    {
        // As each agent's main does: the rooms here are agents, in one process.
        platform::KeepFreedHeapForReuse();
        // Some event comes at least this often, so a wait notices what it waits for.
        m_wake.start(100);
        m_port = FreeLoopbackPort();
        const QString config = m_dir.filePath("mosquitto.conf");
        std::ofstream(config.toStdString())
            << "listener " << m_port << " 127.0.0.1\nallow_anonymous true\nset_tcp_nodelay true\n";
        m_broker.setProcessChannelMode(QProcess::MergedChannels);
        m_broker.setStandardOutputFile(m_dir.filePath("mosquitto.log"));
        m_broker.start("mosquitto", {"-c", config});
        if (!m_broker.waitForStarted(5000))
            throw std::runtime_error("mosquitto does not start");
        waitFor([&] { return LoopbackListening(m_port); });
        const std::string url = "mqtt://127.0.0.1:" + std::to_string(m_port);

        venue::MqttSettings settings;
        settings.broker = *venue::ParseBrokerUrl(url);
        settings.clientId = "bench-console";
        m_console = std::make_unique<venue::MqttClient>(settings, m_scheduler);
        m_console->onMessage([this](const std::string& topic, const std::string& payload, bool) {
            if (const auto taken = m_rooms.take(topic, payload); taken.room) {
                if (m_onState)
                    m_onState(*taken.room);
            } else if (const auto room = venue::RoomOfTopic(topic, venue::TopicKind::Reply); room && m_round) {
                m_round->take(room->room, payload);
            }
        });
        m_console->subscribe(venue::VenueFilter(kVenue, venue::TopicKind::State));
        m_console->subscribe(venue::VenueFilter(kVenue, venue::TopicKind::Reply));
        m_console->start();
        for (int i = 0; i < kRooms; ++i)
            m_agents.push_back(std::make_unique<RoomThread>(i, url));
        waitFor([&] {
            return std::count_if(m_rooms.rooms().begin(), m_rooms.rooms().end(), [](const auto& room) {
                       return room.second.online && room.second.processor;
                   }) == kRooms;
        });
        core::ParamStore image;
        core::InitParamStore(m_configuration, image);
    }

    ~Venue()
    {
        m_agents.clear();
        m_console.reset();
        m_broker.kill();
        m_broker.waitForFinished(5000);
    }

    void waitFor(const std::function<bool()>& done)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > kWaitMs)
                throw std::runtime_error("the venue did not answer in time");
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }

    // Each room's processor paced like a full-speed USB endpoint, or answering at once.
    void setPaced(bool paced)
    {
        for (const auto& room : m_agents)
            room->call([&](Room& r) { r.port.setFullSpeedPacing(paced); });
    }

    // A push of a configuration to the first `rooms` rooms, answered by all; its wall-clock time in seconds.
    double push(int rooms)
    {
        m_configuration.at(0, core::kMasterLevels).value = 10 + (++m_pushes % 40);
        venue::RoomCommand command;
        command.kind = venue::CommandKind::Push;
        command.configuration = core::EncodeConfiguration(m_configuration);
        std::vector<std::string> names;
        for (int i = 0; i < rooms; ++i)
            names.push_back(RoomName(i));
        const double start = NowMs();
        m_round.emplace(names, "push-" + std::to_string(m_pushes));
        m_round->send(kVenue, command, [&](const std::string& topic, const std::string& payload) {
            return m_console->publish(topic, payload, false);
        });
        waitFor([&] { return m_round->answered(); });
        const double seconds = (NowMs() - start) / 1000;
        if (!m_round->allDone())
            throw std::runtime_error("a push failed:\n" + m_round->report());
        m_round.reset();
        return seconds;
    }

    // Each a level change in a room: from the command's sending, and from the
    // agent's publishing of the changed state, to the model's holding it (ms).
    struct Latency {
        std::vector<double> fromCommand;
        std::vector<double> fromPublish;
    };
    Latency stateChanges(int count)
    {
        Latency latency;
        for (int n = 0; n < count; ++n) {
            RoomThread& room = *m_agents[static_cast<std::size_t>(n % kRooms)];
            // A level the room holds already changes no state: it would wait for the heartbeat.
            const auto& held = m_rooms.rooms().at(room.address.room).processor;
            int value = 1 + (++m_levels % 70);
            if (held && held->levels[0] == value)
                value = 1 + (++m_levels % 70);
            std::atomic<double> published = 0;
            room.call([&](Room& r) {
                r.onPublish = [&](const std::string& topic, const std::string& payload) {
                    if (topic.ends_with("/state") &&
                        payload.find("\"music\":" + std::to_string(value) + ",") != std::string::npos)
                        published = NowMs();
                };
            });
            bool seen = false;
            m_onState = [&](const std::string& name) {
                const auto& p = m_rooms.rooms().at(name).processor;
                seen = seen || (name == room.address.room && p && p->levels[0] == value);
            };
            venue::RoomCommand level;
            level.id = "level-" + std::to_string(m_levels);
            level.kind = venue::CommandKind::Level;
            level.value = value;
            const double sent = NowMs();
            m_console->publish(venue::Topic(room.address, venue::TopicKind::Command), venue::CommandJson(level), false);
            waitFor([&] { return seen; });
            const double now = NowMs();
            latency.fromCommand.push_back(now - sent);
            latency.fromPublish.push_back(now - published);
            room.call([](Room& r) { r.onPublish = nullptr; });
            m_onState = nullptr;
        }
        return latency;
    }

    // CPU seconds of the broker (from /proc) and of this process (the agents, and the idle console).
    std::pair<double, double> cpuSeconds() const
    {
        std::ifstream stat("/proc/" + std::to_string(m_broker.processId()) + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        std::istringstream fields(text.substr(text.rfind(')') + 2));
        std::string field;
        double ticks = 0;
        for (int i = 3; i <= 15 && fields >> field; ++i)
            if (i == 14 || i == 15) // utime, stime
                ticks += std::stod(field);
        rusage own{};
        ::getrusage(RUSAGE_SELF, &own);
        const auto seconds = [](const timeval& t) {
            return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
        };
        return {ticks / static_cast<double>(::sysconf(_SC_CLK_TCK)), seconds(own.ru_utime) + seconds(own.ru_stime)};
    }

private:
    QTimer m_wake;
    QTemporaryDir m_dir;
    int m_port = 0;
    QProcess m_broker;
    link::QtScheduler m_scheduler;
    std::unique_ptr<venue::MqttClient> m_console;
    venue::VenueRooms m_rooms{kVenue};
    std::optional<venue::VenueRound> m_round;
    std::function<void(const std::string&)> m_onState;
    std::vector<std::unique_ptr<RoomThread>> m_agents;
    core::ParamStore m_configuration;
    int m_pushes = 0;
    int m_levels = 0;
};

Venue& TheVenue()
{
    static Venue venue;
    return venue;
}

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<std::size_t>(share * static_cast<double>(values.size() - 1))];
}

// The push to `rooms` rooms; `paced` processors take a USB endpoint's time.
// Beside the time, the CPU a push costs: the broker's, and this process's (the
// rooms' agents and the console) on all its threads.
void MeasurePush(benchmark::State& state, int rooms, bool paced)
{
    Venue& venue = TheVenue();
    venue.setPaced(paced);
    const auto [brokerBefore, ownBefore] = venue.cpuSeconds();
    for (auto _ : state)
        state.SetIterationTime(venue.push(rooms));
    const auto [brokerAfter, ownAfter] = venue.cpuSeconds();
    const auto pushes = static_cast<double>(state.iterations());
    state.counters["broker_cpu_ms"] = 1000 * (brokerAfter - brokerBefore) / pushes;
    state.counters["rooms_console_cpu_ms"] = 1000 * (ownAfter - ownBefore) / pushes;
    venue.setPaced(false);
}

void BM_VenuePush_Reference(benchmark::State& state)
{
    MeasurePush(state, 1, false);
}
BENCHMARK(BM_VenuePush_Reference)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(2);

void BM_VenuePush(benchmark::State& state)
{
    MeasurePush(state, kRooms, false);
}
BENCHMARK(BM_VenuePush)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(2);

void BM_VenuePushPaced_Reference(benchmark::State& state)
{
    MeasurePush(state, 1, true);
}
BENCHMARK(BM_VenuePushPaced_Reference)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(2);

void BM_VenuePushPaced(benchmark::State& state)
{
    MeasurePush(state, kRooms, true);
}
BENCHMARK(BM_VenuePushPaced)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(2);

void BM_StateChangeToModel(benchmark::State& state)
{
    Venue& venue = TheVenue();
    for (auto _ : state) {
        const double start = NowMs();
        const auto latency = venue.stateChanges(500);
        state.SetIterationTime((NowMs() - start) / 1000);
        state.counters["p50_ms"] = Percentile(latency.fromPublish, 0.5);
        state.counters["p99_ms"] = Percentile(latency.fromPublish, 0.99);
        state.counters["command_p50_ms"] = Percentile(latency.fromCommand, 0.5);
        state.counters["command_p99_ms"] = Percentile(latency.fromCommand, 0.99);
    }
}
BENCHMARK(BM_StateChangeToModel)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_IdleCpu(benchmark::State& state)
{
    Venue& venue = TheVenue();
    constexpr int kIdleMs = 10000;
    for (auto _ : state) {
        const auto [brokerBefore, ownBefore] = venue.cpuSeconds();
        const double start = NowMs();
        venue.waitFor([&] { return NowMs() - start > kIdleMs; });
        const auto [brokerAfter, ownAfter] = venue.cpuSeconds();
        const double wall = (NowMs() - start) / 1000;
        state.counters["broker_cpu_pct"] = 100 * (brokerAfter - brokerBefore) / wall;
        state.counters["agents_cpu_pct"] = 100 * (ownAfter - ownBefore) / wall;
        state.SetIterationTime(wall);
    }
}
BENCHMARK(BM_IdleCpu)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
