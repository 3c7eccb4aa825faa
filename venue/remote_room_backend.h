#pragma once

#include "topics.h"

#include "link/hid_device.h"

#include "core/scheduler.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorix::venue {

// The processor of a room on the other side of the venue, behind the same
// device interface as the hidapi backend: the room's agent forwards its HID
// reports over the broker while this console holds the room. It asks for the
// room, renews its hold every kRenewMs (the agent gives the room back after
// silence), and finds a device only while the agent grants it. A refusal (the
// room is held by another console, or has no processor) is told with the
// agent's reason, and asked again at the next renewal.
// It knows topics and payloads but no MQTT: what it says goes to `publish`,
// what the broker brings comes to receive().
class RemoteRoomBackend final : public link::HidBackend {
public:
    using Publish = std::function<void(const std::string& topic, const std::string& payload)>;
    static constexpr int kRenewMs = 5000;
    // Reports the agent sent and the link did not read yet; beyond this the oldest is lost, as on a full USB queue.
    static constexpr std::size_t kQueuedReports = 4096;

    // `console` names this console to the agent and to other consoles (a name as a room's).
    RemoteRoomBackend(RoomAddress room, std::string console, core::Scheduler& scheduler, Publish publish);
    ~RemoteRoomBackend() override;

    // The filters to subscribe to: the room's state, replies and input reports.
    std::vector<std::string> subscriptions() const;
    // The command the broker is to send for this console when it vanishes: it gives the room back.
    std::string willPayload() const;

    // Asks for the room now and keeps asking.
    void start();
    // Gives the room back.
    void stop();
    void receive(const std::string& topic, const std::string& payload);

    bool held() const { return m_held; }
    // Told each time the agent refuses the room, with its reason.
    void onRefused(std::function<void(const std::string& reason)> handler) { m_onRefused = std::move(handler); }

    std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string* error) override;
    std::unique_ptr<link::HidDevice> open(const std::string& path) override;

private:
    class Device;
    void ask(bool on);
    void setHeld(bool held);
    void wake();

    RoomAddress m_room;
    std::string m_console;
    core::Scheduler& m_scheduler;
    Publish m_publish;
    std::function<void(const std::string&)> m_onRefused;
    std::unique_ptr<core::Timer> m_renew;
    std::unique_ptr<core::Timer> m_waker;
    std::deque<std::string> m_input;
    Device* m_listener = nullptr;
    std::uint64_t m_generation = 1; // a device opened under an earlier hold reads as gone
    std::uint64_t m_asked = 0;
    bool m_held = false;
};

} // namespace quorix::venue
