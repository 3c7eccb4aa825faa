#include "mqtt_client.h"

#include <QSocketNotifier>

#include <mosquitto.h>

#include <algorithm>
#include <mutex>

namespace quorix::venue {

namespace {

constexpr int kMiscIntervalMs = 1000;
constexpr int kQos = 1;

void DeleteLater(QSocketNotifier* notifier)
{
    if (notifier) {
        notifier->setEnabled(false);
        notifier->deleteLater(); // it may be the one whose signal is running
    }
}

std::string CodeText(int code)
{
    return mosquitto_strerror(code);
}

} // namespace

MqttClient::MqttClient(MqttSettings settings, core::Scheduler& scheduler)
    : m_settings(std::move(settings)), m_scheduler(scheduler), m_read(nullptr, DeleteLater),
      m_write(nullptr, DeleteLater)
{
    static std::once_flag initialised;
    std::call_once(initialised, [] { mosquitto_lib_init(); });
    m_misc = m_scheduler.createTimer(kMiscIntervalMs, false, [this] { housekeeping(); });
    m_retry = m_scheduler.createTimer(kRetryMs, true, [this] { connect(); });
}

MqttClient::~MqttClient()
{
    m_read.reset();
    m_write.reset();
    if (m_client)
        mosquitto_destroy(m_client);
}

bool MqttClient::start()
{
    m_client = mosquitto_new(m_settings.clientId.empty() ? nullptr : m_settings.clientId.c_str(), true, this);
    if (!m_client) {
        m_lastError = "the MQTT client could not be made";
        return false;
    }
    mosquitto_int_option(m_client, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
    // A state or a command is one small packet: held back for the peer's delayed
    // acknowledgement (Nagle), each would wait some 40 ms on the way.
    mosquitto_int_option(m_client, MOSQ_OPT_TCP_NODELAY, 1);
    int code = MOSQ_ERR_SUCCESS;
    if (!m_settings.username.empty())
        code = mosquitto_username_pw_set(m_client, m_settings.username.c_str(),
                                         m_settings.password.empty() ? nullptr : m_settings.password.c_str());
    if (code == MOSQ_ERR_SUCCESS && m_settings.will)
        code = mosquitto_will_set(m_client, m_settings.will->topic.c_str(),
                                  static_cast<int>(m_settings.will->payload.size()), m_settings.will->payload.data(),
                                  kQos, m_settings.will->retain);
    if (code == MOSQ_ERR_SUCCESS && m_settings.broker.tls) {
        const auto file = [](const std::string& path) { return path.empty() ? nullptr : path.c_str(); };
        code =
            mosquitto_tls_set(m_client, file(m_settings.caFile), m_settings.caFile.empty() ? "/etc/ssl/certs" : nullptr,
                              file(m_settings.certFile), file(m_settings.keyFile), nullptr);
    }
    if (code != MOSQ_ERR_SUCCESS) {
        m_lastError = "the MQTT settings cannot be used: " + CodeText(code);
        return false;
    }
    mosquitto_connect_callback_set(m_client, connected);
    mosquitto_disconnect_callback_set(m_client, disconnected);
    mosquitto_message_callback_set(m_client, message);
    mosquitto_publish_callback_set(m_client, published);
    mosquitto_subscribe_callback_set(m_client, subscribed);
    m_misc->start();
    connect();
    return true;
}

void MqttClient::connect()
{
    if (m_stopped)
        return;
    const int code = m_tried ? mosquitto_reconnect(m_client)
                             : mosquitto_connect(m_client, m_settings.broker.host.c_str(), m_settings.broker.port,
                                                 m_settings.keepAliveSeconds);
    m_tried = true;
    if (code != MOSQ_ERR_SUCCESS) {
        lost(code == MOSQ_ERR_ERRNO ? "the broker cannot be reached" : CodeText(code));
        return;
    }
    watchSocket();
}

void MqttClient::disconnect()
{
    m_stopped = true;
    m_retry->stop();
    if (m_client && m_connected) {
        mosquitto_disconnect(m_client);
        mosquitto_loop_write(m_client, 1);
    }
    m_connected = false;
    watchSocket();
}

void MqttClient::lost(const std::string& reason)
{
    // A refused connection reports once, though the read that follows sees it too.
    if (!m_connected && m_retry->isActive())
        return;
    // Told once per change, not at every retry.
    const bool news = m_connected || reason != m_lastError;
    m_connected = false;
    m_lastError = reason;
    watchSocket();
    if (!m_stopped)
        m_retry->start();
    if (m_onConnection && news)
        m_onConnection(false, reason);
}

void MqttClient::watchSocket()
{
    const int socket = m_client ? mosquitto_socket(m_client) : -1;
    if (socket == m_socket)
        return;
    m_read.reset();
    m_write.reset();
    m_socket = socket;
    if (socket < 0)
        return;
    m_read.reset(new QSocketNotifier(socket, QSocketNotifier::Read));
    QObject::connect(m_read.get(), &QSocketNotifier::activated, [this] { readable(); });
    m_write.reset(new QSocketNotifier(socket, QSocketNotifier::Write));
    m_write->setEnabled(false);
    QObject::connect(m_write.get(), &QSocketNotifier::activated, [this] { writable(); });
    wantWrite();
}

void MqttClient::readable()
{
    const int code = mosquitto_loop_read(m_client, 1);
    if (code != MOSQ_ERR_SUCCESS && code != MOSQ_ERR_NO_CONN && !m_stopped)
        lost(code == MOSQ_ERR_CONN_LOST ? "the broker closed the connection" : CodeText(code));
    watchSocket();
    wantWrite();
}

void MqttClient::writable()
{
    mosquitto_loop_write(m_client, 1);
    wantWrite();
}

void MqttClient::wantWrite()
{
    if (m_write)
        m_write->setEnabled(mosquitto_want_write(m_client));
}

void MqttClient::housekeeping()
{
    if (m_socket >= 0)
        mosquitto_loop_misc(m_client);
    watchSocket();
    wantWrite();
}

int MqttClient::publish(const std::string& topic, const std::string& payload, bool retain, int qos)
{
    int id = -1;
    if (!m_connected || mosquitto_publish(m_client, &id, topic.c_str(), static_cast<int>(payload.size()),
                                          payload.data(), qos, retain) != MOSQ_ERR_SUCCESS)
        return -1;
    wantWrite();
    return id;
}

int MqttClient::subscribe(const std::string& filter)
{
    if (std::find(m_subscriptions.begin(), m_subscriptions.end(), filter) == m_subscriptions.end())
        m_subscriptions.push_back(filter);
    int id = -1;
    if (!m_connected || mosquitto_subscribe(m_client, &id, filter.c_str(), kQos) != MOSQ_ERR_SUCCESS)
        return -1;
    wantWrite();
    return id;
}

void MqttClient::connected(mosquitto*, void* self, int code)
{
    auto& client = *static_cast<MqttClient*>(self);
    if (code != 0) {
        // The broker refused: wrong credentials, or not allowed; mosquitto closes the socket itself.
        client.lost(mosquitto_connack_string(code));
        return;
    }
    client.m_connected = true;
    client.m_lastError.clear();
    for (const auto& filter : client.m_subscriptions)
        mosquitto_subscribe(client.m_client, nullptr, filter.c_str(), kQos);
    if (client.m_onConnection)
        client.m_onConnection(true, {});
}

void MqttClient::disconnected(mosquitto*, void* self, int code)
{
    auto& client = *static_cast<MqttClient*>(self);
    if (code != 0 && client.m_connected)
        client.lost("the connection to the broker was lost");
}

void MqttClient::message(mosquitto*, void* self, const mosquitto_message* message)
{
    auto& client = *static_cast<MqttClient*>(self);
    if (client.m_onMessage && message->topic)
        client.m_onMessage(
            message->topic,
            std::string(static_cast<const char*>(message->payload), static_cast<std::size_t>(message->payloadlen)),
            message->retain);
}

void MqttClient::published(mosquitto*, void* self, int id)
{
    auto& client = *static_cast<MqttClient*>(self);
    if (client.m_onPublished)
        client.m_onPublished(id);
}

void MqttClient::subscribed(mosquitto*, void* self, int id, int count, const int* granted)
{
    auto& client = *static_cast<MqttClient*>(self);
    bool all = true;
    for (int i = 0; i < count; ++i)
        all = all && granted[i] <= 2;
    if (client.m_onSubscribed)
        client.m_onSubscribed(id, all);
}

} // namespace quorix::venue
