#include "connection_supervisor.h"

namespace quorix::link {

ConnectionSupervisor::ConnectionSupervisor(core::Scheduler& scheduler, LinkState& state, LinkHost& host, USB_Comm& usb,
                                           FrameParser& parser, RequestChannel& channel, std::function<void()> runSync,
                                           ProtocolTrace* trace)
    : m_scheduler(scheduler), m_state(state), m_host(host), m_usb(usb), m_parser(parser), m_channel(channel),
      m_runSync(std::move(runSync)), m_trace(trace),
      m_tick(scheduler.createTimer(kTickMs, false, [this] { LinkTick(); })),
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

void ConnectionSupervisor::LinkTick()
{
    if (m_state.LinkOnline) {
        if (++m_state.KeepAliveTicks >= kKeepAliveEveryTicks) {
            m_state.KeepAliveTicks = 0;
            const std::uint8_t keepAlive[] = {kKeepAlive};
            if (m_trace)
                m_trace->sent(m_scheduler.nowMs(), "KeepAlive", keepAlive);
            m_usb.SendData(keepAlive);
        }
        if (++m_state.NoReplyTicks > kLossAfterTicks)
            linkLostByTick();
    } else {
        m_state.NoReplyTicks = 0;
        m_state.KeepAliveTicks = 0;
    }

    if (!m_state.LinkOnline && !m_state.LinkDisabled) {
        if (++m_state.HandshakeTicks >= kHandshakeEveryTicks) {
            m_state.HandshakeTicks = 0;
            m_parser.reset();
            const Bytes handshake = HandshakeFrame();
            if (m_trace)
                m_trace->sent(m_scheduler.nowMs(), CommandName(Command::Handshake), handshake);
            m_usb.SendData(handshake);
        }
    } else {
        m_state.HandshakeTicks = 0;
    }

    if (m_state.SyncPending) {
        m_state.SyncPending = false;
        m_syncStarter->start();
    }

    m_host.report({LinkCode::Tick});
}

void ConnectionSupervisor::goOnline()
{
    m_state.LinkOnline = true;
    m_state.SyncPending = true;
    m_host.report({LinkCode::Online});
}

void ConnectionSupervisor::linkLostByTick()
{
    const bool tell = !m_state.QuietShutdown;
    ++m_state.counters.linkLosses;
    m_state.LinkOnline = false;
    m_channel.endWaitingRequest();
    m_host.report({tell ? LinkCode::Lost : LinkCode::Disconnected});
}

// A request that failed after the link was already lost tells nothing more.
void ConnectionSupervisor::linkLostByRequest()
{
    const bool tell = !m_state.QuietShutdown && m_state.LinkOnline;
    if (m_state.LinkOnline)
        ++m_state.counters.linkLosses;
    m_state.LinkOnline = false;
    m_host.report({tell ? LinkCode::Lost : LinkCode::Disconnected});
}

LinkCode ConnectionSupervisor::connection() const
{
    if (m_state.LinkOnline)
        return LinkCode::Online;
    if (!m_state.LinkSwitchOn)
        return LinkCode::SwitchedOff;
    if (m_state.LinkDisabled)
        return LinkCode::OfflineMode;
    return LinkCode::Disconnected;
}

void ConnectionSupervisor::ConnectButtonClicked()
{
    if (!m_state.LinkSwitchOn) {
        m_state.LinkSwitchOn = true;
        m_state.LinkDisabled = false;
        m_host.report({LinkCode::SwitchedOn});
        return;
    }
    m_state.LinkSwitchOn = false;
    m_state.LinkDisabled = true;
    m_state.LinkOnline = false;
    m_channel.releaseUnsent();
    m_host.report({LinkCode::SwitchedOff});
}

void ConnectionSupervisor::OnlineModeChosen()
{
    m_state.LinkDisabled = false;
    m_host.report({LinkCode::OnlineMode});
}

void ConnectionSupervisor::OfflineModeChosen()
{
    m_state.LinkDisabled = true;
    m_state.LinkOnline = false;
    m_channel.releaseUnsent();
    m_host.report({LinkCode::OfflineMode});
}

} // namespace quorix::link
