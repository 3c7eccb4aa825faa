// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "venue/mqtt_client.h"
#include "venue/remote_room_backend.h"

#include "link/hid_device.h"

#include "core/scheduler.h"

#include <functional>
#include <memory>
#include <string>

namespace quorix::app {

// A room of the venue as the console's device: the broker client and the
// remote backend together, for the link to open as it opens a USB processor.
class RemoteRoom final : public link::HidBackend {
public:
    struct Settings {
        venue::RoomAddress room;
        venue::MqttSettings broker; // its client id names this console; its will is set here
    };

    RemoteRoom(Settings settings, core::Scheduler& scheduler);
    ~RemoteRoom() override;

    // False, with the reason in lastError(), when the broker settings cannot be used.
    bool start();
    const std::string& lastError() const { return m_client->lastError(); }
    bool held() const { return m_backend->held(); }
    // The broker, when it refuses or loses the connection ("the broker: …"), and the agent, when it
    // refuses the room (its reason as it gives it).
    void onProblem(std::function<void(const std::string&)> handler) { m_onProblem = std::move(handler); }

    std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string* error) override
    {
        return m_backend->enumerate(vendorId, productId, error);
    }
    std::unique_ptr<link::HidDevice> open(const std::string& path) override { return m_backend->open(path); }

private:
    std::unique_ptr<venue::RemoteRoomBackend> m_backend;
    std::unique_ptr<venue::MqttClient> m_client;
    std::function<void(const std::string&)> m_onProblem;
};

// This console's name to the agents: the computer's name and the process, so two consoles never share one.
std::string ConsoleName();

} // namespace quorix::app
