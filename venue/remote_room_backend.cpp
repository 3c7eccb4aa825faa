#include "remote_room_backend.h"

#include "command_reply.h"
#include "room_command.h"
#include "room_state.h"

#include <algorithm>
#include <cstring>

namespace quorix::venue {

class RemoteRoomBackend::Device final : public link::HidDevice {
public:
    Device(RemoteRoomBackend& backend) : m_backend(backend), m_generation(backend.m_generation) {}
    ~Device() override
    {
        if (m_backend.m_listener == this)
            m_backend.m_listener = nullptr;
    }

    bool writeReport(std::span<const std::uint8_t> report) override
    {
        if (!current())
            return false;
        m_backend.m_publish(Topic(m_backend.m_room, TopicKind::HidOut), std::string(report.begin(), report.end()));
        return true;
    }
    int readReport(std::span<std::uint8_t> buffer, int) override
    {
        if (!current())
            return -1;
        auto& input = m_backend.m_input;
        if (input.empty())
            return 0;
        const std::string report = std::move(input.front());
        input.pop_front();
        const std::size_t n = std::min(buffer.size(), report.size());
        std::memcpy(buffer.data(), report.data(), n);
        return static_cast<int>(n);
    }
    bool notifyReadable(std::function<void()> readable) override
    {
        m_readable = std::move(readable);
        m_backend.m_listener = this;
        return true;
    }
    std::size_t inputReportLength() const override { return link::kDefaultReportLength; }
    std::size_t outputReportLength() const override { return link::kDefaultReportLength; }

    void readable()
    {
        if (m_readable)
            m_readable();
    }

private:
    bool current() const { return m_backend.m_held && m_generation == m_backend.m_generation; }

    RemoteRoomBackend& m_backend;
    std::uint64_t m_generation;
    std::function<void()> m_readable;
};

RemoteRoomBackend::RemoteRoomBackend(RoomAddress room, std::string console, core::Scheduler& scheduler, Publish publish)
    : m_room(std::move(room)), m_console(std::move(console)), m_scheduler(scheduler), m_publish(std::move(publish)),
      m_renew(scheduler.createTimer(kRenewMs, false, [this] { ask(true); })),
      m_waker(scheduler.createTimer(0, true, [this] { wake(); }))
{}

RemoteRoomBackend::~RemoteRoomBackend() = default;

std::vector<std::string> RemoteRoomBackend::subscriptions() const
{
    return {Topic(m_room, TopicKind::State), Topic(m_room, TopicKind::Reply), Topic(m_room, TopicKind::HidIn)};
}

std::string RemoteRoomBackend::willPayload() const
{
    RoomCommand command;
    command.id = "tune-" + m_console + "-will";
    command.kind = CommandKind::Tune;
    command.console = m_console;
    command.on = false;
    return CommandJson(command);
}

void RemoteRoomBackend::start()
{
    ask(true);
    m_renew->start();
}

void RemoteRoomBackend::stop()
{
    m_renew->stop();
    if (m_held)
        ask(false);
    setHeld(false);
}

void RemoteRoomBackend::ask(bool on)
{
    RoomCommand command;
    command.id = "tune-" + m_console + "-" + std::to_string(++m_asked);
    command.kind = CommandKind::Tune;
    command.console = m_console;
    command.on = on;
    m_publish(Topic(m_room, TopicKind::Command), CommandJson(command));
}

void RemoteRoomBackend::setHeld(bool held)
{
    if (held == m_held)
        return;
    m_held = held;
    m_input.clear();
    ++m_generation;
    // An open device learns at its next read that it is gone.
    if (!held)
        m_waker->start();
}

void RemoteRoomBackend::wake()
{
    if (m_listener)
        m_listener->readable();
}

void RemoteRoomBackend::receive(const std::string& topic, const std::string& payload)
{
    if (topic == Topic(m_room, TopicKind::HidIn)) {
        if (!m_held)
            return;
        if (payload.empty()) { // the agent lost the processor and took the room back
            setHeld(false);
            return;
        }
        if (m_input.size() == kQueuedReports)
            m_input.pop_front();
        m_input.push_back(payload);
        m_waker->start();
        return;
    }
    if (topic == Topic(m_room, TopicKind::Reply)) {
        const auto reply = ParseCommandReply(payload).reply;
        const std::string prefix = "tune-" + m_console + "-";
        if (!reply || !reply->id.starts_with(prefix) || !m_renew->isActive())
            return;
        if (reply->outcome == Outcome::Done) {
            setHeld(true);
            return;
        }
        setHeld(false);
        if (m_onRefused)
            m_onRefused(reply->reason);
        return;
    }
    if (topic == Topic(m_room, TopicKind::State)) {
        // The agent gave the room back (silence), or is gone: the hold is over.
        const auto state = ParseRoomState(payload).state;
        if (m_held && state && (!state->online || state->tunedBy != m_console))
            setHeld(false);
    }
}

std::vector<std::string> RemoteRoomBackend::enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string*)
{
    if (!m_held || vendorId != link::kProcessorVendorId || productId != link::kProcessorProductId)
        return {};
    return {"mqtt:" + Topic(m_room, TopicKind::HidIn)};
}

std::unique_ptr<link::HidDevice> RemoteRoomBackend::open(const std::string& path)
{
    if (!m_held || enumerate(link::kProcessorVendorId, link::kProcessorProductId, nullptr) != std::vector{path})
        return nullptr;
    return std::make_unique<Device>(*this);
}

} // namespace quorix::venue
