#pragma once

#include "frame_parser.h"
#include "hid_port.h"
#include "link_host.h"
#include "link_state.h"
#include "protocol_trace.h"
#include "request_channel.h"

#include "core/scheduler.h"

#include <functional>
#include <memory>

namespace quorix::link {

// Decides whether the console talks to a processor: the 50 ms tick sends the
// handshake every 10 ticks while searching, a keep-alive every 20 while online,
// declares the link lost after 101 ticks without a keep-alive answer, and starts
// the full synchronisation once after each new connection.
class ConnectionSupervisor {
public:
    static constexpr int kTickMs = 50;
    static constexpr int kHandshakeEveryTicks = 10;
    static constexpr int kKeepAliveEveryTicks = 20;
    static constexpr int kLossAfterTicks = 100; // lost when the count exceeds this

    ConnectionSupervisor(core::Scheduler& scheduler, LinkState& state, LinkHost& host, HidPort& usb,
                         FrameParser& parser, RequestChannel& channel, std::function<void()> runSync,
                         ProtocolTrace* trace);

    void start();
    void stop();
    void linkTick();

    void goOnline();
    void keepAliveAnswered() { m_state.noReplyTicks = 0; }
    // A request was not answered nine times.
    void linkLostByRequest();

    // The report that describes the connection as it stands: Online, SwitchedOff,
    // OfflineMode or Disconnected.
    LinkCode connection() const;

    void toggleConnection();
    void onlineModeChosen();
    void offlineModeChosen();

private:
    void linkLostByTick();

    core::Scheduler& m_scheduler;
    LinkState& m_state;
    LinkHost& m_host;
    HidPort& m_port;
    FrameParser& m_parser;
    RequestChannel& m_channel;
    std::function<void()> m_runSync;
    ProtocolTrace* m_trace;
    std::unique_ptr<core::Timer> m_tick;
    // The synchronisation runs from its own turn of the event loop, so the tick
    // that started it keeps ticking (keep-alives, loss check) while it waits.
    std::unique_ptr<core::Timer> m_syncStarter;
};

} // namespace quorix::link
