#pragma once

#include "broker_url.h"

#include "core/scheduler.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct mosquitto;
struct mosquitto_message;
class QSocketNotifier;

namespace quorix::venue {

struct MqttSettings {
    BrokerUrl broker;
    std::string clientId;
    std::string username; // none when empty
    std::string password;
    std::string caFile;   // TLS: the authority that signed the broker's certificate (else the system's)
    std::string certFile; // TLS: this client's certificate and key, when the broker asks for one
    std::string keyFile;
    struct Will {
        std::string topic;
        std::string payload;
        bool retain = true;
    };
    std::optional<Will> will; // published by the broker when this client vanishes
    int keepAliveSeconds = 10;
};

// A client of an MQTT broker on the Qt event loop, through libmosquitto: the
// socket is watched by socket notifiers and the keep-alive runs on a timer of
// the scheduler, so no thread of its own is needed. It reconnects by itself and
// subscribes again to what it was subscribed to.
class MqttClient {
public:
    static constexpr int kRetryMs = 2000;

    MqttClient(MqttSettings settings, core::Scheduler& scheduler);
    ~MqttClient();
    MqttClient(const MqttClient&) = delete;
    MqttClient& operator=(const MqttClient&) = delete;

    // Connected (true), or the connection was refused or lost (false), with the broker's reason.
    void onConnection(std::function<void(bool connected, const std::string& reason)> handler)
    {
        m_onConnection = std::move(handler);
    }
    // `retained`: the broker kept it from before this client subscribed.
    void onMessage(std::function<void(const std::string& topic, const std::string& payload, bool retained)> handler)
    {
        m_onMessage = std::move(handler);
    }
    // The broker acknowledged the publication `id` (quality of service 1).
    void onPublished(std::function<void(int id)> handler) { m_onPublished = std::move(handler); }
    // The broker answered the subscription `id`: false when it refused it (an ACL).
    void onSubscribed(std::function<void(int id, bool granted)> handler) { m_onSubscribed = std::move(handler); }

    // False (with the reason in lastError()) when the settings cannot be used;
    // otherwise the connection is tried now and again until it holds.
    bool start();
    // A clean end: the broker publishes no will.
    void disconnect();
    bool connected() const { return m_connected; }
    const std::string& lastError() const { return m_lastError; }

    // The id of the publication or subscription, or -1 when not connected.
    // `qos` 0 is at most once, 1 at least once (venue::TopicQos tells which a topic takes).
    int publish(const std::string& topic, const std::string& payload, bool retain, int qos = 1);
    int subscribe(const std::string& filter);

private:
    static void connected(mosquitto*, void* self, int code);
    static void disconnected(mosquitto*, void* self, int code);
    static void message(mosquitto*, void* self, const mosquitto_message* message);
    static void published(mosquitto*, void* self, int id);
    static void subscribed(mosquitto*, void* self, int id, int count, const int* granted);

    void connect();
    void lost(const std::string& reason);
    void watchSocket();
    void readable();
    void writable();
    void housekeeping();
    void wantWrite();

    MqttSettings m_settings;
    core::Scheduler& m_scheduler;
    mosquitto* m_client = nullptr;
    std::unique_ptr<QSocketNotifier, void (*)(QSocketNotifier*)> m_read;
    std::unique_ptr<QSocketNotifier, void (*)(QSocketNotifier*)> m_write;
    int m_socket = -1;
    std::unique_ptr<core::Timer> m_misc;
    std::unique_ptr<core::Timer> m_retry;
    std::vector<std::string> m_subscriptions;
    bool m_connected = false;
    bool m_stopped = false;
    bool m_tried = false; // connect() once, reconnect() after
    std::string m_lastError;
    std::function<void(bool, const std::string&)> m_onConnection;
    std::function<void(const std::string&, const std::string&, bool)> m_onMessage;
    std::function<void(int)> m_onPublished;
    std::function<void(int, bool)> m_onSubscribed;
};

} // namespace quorix::venue
