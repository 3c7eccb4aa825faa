#pragma once

#include "agent_prompter.h"
#include "hid_relay.h"

#include "venue/command_reply.h"
#include "venue/room_command.h"
#include "venue/room_state.h"
#include "venue/topics.h"

#include "presets/preset_commands.h"

#include "link/device_link.h"
#include "link/hid_device.h"
#include "link/link_workspace.h"

#include "core/scheduler.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace quorix::agent {

// The processor's one owner in a room, and its voice on the venue's broker: it
// keeps the link to the processor, tells the room's state and carries out the
// commands sent to the room, one at a time, each answered by one reply.
// One console at a time may tune the room remotely: the agent's link pauses and
// the processor's HID reports travel both ways on the room's hid topics, until
// the console gives the room back, its last will does, or it goes silent.
// It knows topics and payloads but no MQTT: what it says goes to `publish`, what
// the broker brings comes to receive().
class RoomAgent final : private link::LinkHost {
public:
    using Publish = std::function<void(const std::string& topic, const std::string& payload, bool retain)>;
    static constexpr int kHeartbeatMs = 60000;     // the state goes out at least this often, for "last seen"
    static constexpr int kTuningSilenceMs = 15000; // a tuning console heard from neither report nor renewal is gone
    static constexpr int kRemoteWritesSettleMs = 1000;
    static constexpr int kStopWaitMs = 20000; // the longest a stop waits for the running command
    static constexpr std::string_view kStoppingRefusal = "the agent is stopping";

    RoomAgent(venue::RoomAddress address, link::HidBackend& backend, core::Scheduler& scheduler, Publish publish,
              std::function<std::int64_t()> secondsSince1970, std::ostream& log);
    ~RoomAgent() override;

    // Starts the link; the state goes out whenever it changes.
    void start();
    void stop();
    // Ends the agent's work for a stop: commands waiting and arriving are refused, and
    // `stopped` is called once the running one has answered (a push is never left half
    // written), or at once when none runs, or after kStopWaitMs at the latest.
    void finishThenStop(std::function<void()> stopped);
    // The broker (re)accepted the agent: its state goes out again.
    void brokerConnected();
    // A message from the broker; only the room's own command topic is read. A
    // retained command is an old one the broker kept: it is not carried out
    // again at every start of the agent.
    void receive(const std::string& topic, const std::string& payload, bool retained = false);

    // Called after each command has been answered (the virtual processor's memory is saved then).
    void onCommandEnded(std::function<void()> handler) { m_commandEnded = std::move(handler); }
    // Called when what a remote console wrote has reached the processor: within
    // kRemoteWritesSettleMs of each report, and when it gives the room back.
    void onRemoteWrites(std::function<void()> handler) { m_remoteWrites = std::move(handler); }

    venue::RoomState state() const;
    // What the broker tells of the room once the agent has vanished.
    static std::string willPayload(const venue::RoomAddress& address);
    std::size_t waitingCommands() const { return m_queue.size(); }
    // The console tuning the room remotely; empty when none.
    const std::string& tunedBy() const { return m_tunedBy; }

private:
    void report(const link::LinkReport& report) override;
    // Told a command's reply once, when the processor has answered for it.
    using Answer = std::function<void(venue::CommandReply)>;
    void runNext();
    void conclude(const std::string& id, venue::CommandReply reply);
    void refuseWhileStopping(const std::string& id);
    void tellStopped();
    void execute(const venue::RoomCommand& command, Answer answer);
    void setCommon(int address, int value, const std::string& what, Answer answer);
    void push(const venue::RoomCommand& command, Answer answer);
    void pushFile(const std::shared_ptr<const core::ParamStore>& file, Answer answer);
    void pull(Answer answer);
    void store(int preset, Answer answer);
    venue::CommandReply tune(const venue::RoomCommand& command);
    // The room's own link takes the processor back, and reads it anew.
    void endTuning(const std::string& why);
    bool processorReady() const;
    void publishState();
    void publishReply(const venue::CommandReply& reply);

    venue::RoomAddress m_address;
    core::Scheduler& m_scheduler;
    Publish m_publish;
    std::function<std::int64_t()> m_clock;
    std::ostream& m_log;
    std::function<void()> m_commandEnded;
    std::function<void()> m_remoteWrites;
    link::LinkWorkspace m_work;
    HidRelay m_relay;
    link::DeviceLink m_link;
    AgentPrompter m_prompter;
    presets::PresetCommands m_presets;
    std::deque<venue::RoomCommand> m_queue;
    std::unique_ptr<core::Timer> m_runner;
    std::unique_ptr<core::Timer> m_stateDue;
    std::unique_ptr<core::Timer> m_heartbeat;
    std::unique_ptr<core::Timer> m_tuningSilence;
    std::unique_ptr<core::Timer> m_remoteWritesSettled;
    std::unique_ptr<core::Timer> m_stopBound;
    bool m_stopping = false;
    std::function<void()> m_stopped; // told once
    std::string m_tunedBy;
    bool m_running = false;
    bool m_synchronised = false;
    std::string m_lastState;
};

} // namespace quorix::agent
