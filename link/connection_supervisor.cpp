#include "connection_supervisor.h"

namespace quorix::link {

ConnectionSupervisor::ConnectionSupervisor(core::Scheduler& scheduler, LinkState& state, LinkHost& host, HidPort& usb,
                                           FrameParser& parser, RequestChannel& channel, std::function<void()> runSync,
                                           ProtocolTrace* trace)
    : m_scheduler(scheduler), m_state(state), m_host(host), m_port(usb), m_parser(parser), m_channel(channel),
      m_runSync(std::move(runSync)), m_trace(trace),
      m_tick(scheduler.createTimer(kTickMs, false, [this] { linkTick(); })),
      m_syncStarter(scheduler.createTimer(0, true, [this] { m_runSync(); }))
{}

void ConnectionSupervisor::start()
{
    m_tick->start();
}

void ConnectionSupervisor::stop()
{
    m_tick->stop();
    m_syncStarter->stop();
}

void ConnectionSupervisor::linkTick()
{
    if (m_state.online) {
        if (++m_state.keepAliveTicks >= kKeepAliveEveryTicks) {
            m_state.keepAliveTicks = 0;
            const std::uint8_t keepAlive[] = {kKeepAlive};
            if (m_trace)
                m_trace->sent(m_scheduler.nowMs(), "KeepAlive", keepAlive);
            m_port.sendData(keepAlive);
        }
        if (++m_state.noReplyTicks > kLossAfterTicks)
            linkLostByTick();
    } else {
        m_state.noReplyTicks = 0;
        m_state.keepAliveTicks = 0;
    }

    if (!m_state.online && !m_state.linkDisabled) {
        if (++m_state.handshakeTicks >= kHandshakeEveryTicks) {
            m_state.handshakeTicks = 0;
            m_parser.reset();
            const Bytes handshake = HandshakeFrame();
            if (m_trace)
                m_trace->sent(m_scheduler.nowMs(), CommandName(Command::Handshake), handshake);
            m_port.sendData(handshake);
        }
    } else {
        m_state.handshakeTicks = 0;
    }

    if (m_state.syncPending) {
        m_state.syncPending = false;
        m_syncStarter->start();
    }

    m_host.report({LinkCode::Tick});
}

void ConnectionSupervisor::goOnline()
{
    m_state.online = true;
    m_state.syncPending = true;
    m_host.report({LinkCode::Online});
}

void ConnectionSupervisor::linkLostByTick()
{
    const bool tell = !m_state.quietShutdown;
    ++m_state.counters.linkLosses;
    m_state.online = false;
    m_channel.endWaitingRequest();
    m_host.report({tell ? LinkCode::Lost : LinkCode::Disconnected});
}

// A request that failed after the link was already lost tells nothing more.
void ConnectionSupervisor::linkLostByRequest()
{
    const bool tell = !m_state.quietShutdown && m_state.online;
    if (m_state.online)
        ++m_state.counters.linkLosses;
    m_state.online = false;
    m_host.report({tell ? LinkCode::Lost : LinkCode::Disconnected});
}

LinkCode ConnectionSupervisor::connection() const
{
    if (m_state.online)
        return LinkCode::Online;
    if (!m_state.linkSwitchOn)
        return LinkCode::SwitchedOff;
    if (m_state.linkDisabled)
        return LinkCode::OfflineMode;
    return LinkCode::Disconnected;
}

void ConnectionSupervisor::toggleConnection()
{
    if (!m_state.linkSwitchOn) {
        m_state.linkSwitchOn = true;
        m_state.linkDisabled = false;
        m_host.report({LinkCode::SwitchedOn});
        return;
    }
    m_state.linkSwitchOn = false;
    m_state.linkDisabled = true;
    m_state.online = false;
    m_channel.releaseUnsent();
    m_host.report({LinkCode::SwitchedOff});
}

void ConnectionSupervisor::onlineModeChosen()
{
    m_state.linkDisabled = false;
    m_host.report({LinkCode::OnlineMode});
}

void ConnectionSupervisor::offlineModeChosen()
{
    m_state.linkDisabled = true;
    m_state.online = false;
    m_channel.releaseUnsent();
    m_host.report({LinkCode::OfflineMode});
}

} // namespace quorix::link
