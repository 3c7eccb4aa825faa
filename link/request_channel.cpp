#include "request_channel.h"

namespace quorix::link {

RequestChannel::RequestChannel(core::Scheduler& scheduler, USB_Comm& usb, FrameParser& parser, LinkState& state,
                               std::function<RequestSources()> sources, std::function<void()> onFailure,
                               ProtocolTrace* trace)
    : m_scheduler(scheduler), m_usb(usb), m_parser(parser), m_state(state), m_sources(std::move(sources)),
      m_onFailure(std::move(onFailure)), m_trace(trace),
      m_timeOuter(scheduler.createTimer(kReplyTimeoutMs, true, [this] { timeOut(); }))
{
}

bool RequestChannel::SendCommand(Command command, int mode, int address)
{
    Bytes frame;
    try {
        frame = BuildRequest(command, mode, address, m_modeOverride, m_sources());
    } catch (const std::exception&) {
        m_faulted = true;
        return false;
    }

    // Another request is on the wire (this one was made inside its wait): let it end first.
    while (m_outstanding && !m_state.QuietShutdown)
        m_scheduler.processPendingEvents();

    Request request{command, false, false, {}};
    for (int attemptsLeft = kAttempts; attemptsLeft > 0 && !m_state.QuietShutdown;) {
        m_parser.reset();
        request.AwaitingReply = true;
        request.ReplyReceived = false;
        m_outstanding = &request;
        if (m_trace)
            m_trace->sent(m_scheduler.nowMs(), CommandName(command), frame);
        m_usb.SendData(frame);
        if (WaitForReply(request)) {
            m_lastReply = std::move(request.reply);
            return true;
        }
        --attemptsLeft;
        if (!m_state.LinkOnline)
            break;
    }
    if (m_outstanding == &request)
        m_outstanding = nullptr;
    m_onFailure();
    return false;
}

bool RequestChannel::WaitForReply(Request& request)
{
    ++m_waitDepth;
    m_state.ReplyWaitActive = true;
    m_timeOuter->start();
    while (request.AwaitingReply && !m_state.QuietShutdown)
        m_scheduler.processPendingEvents();
    if (request.AwaitingReply) { // ended by the shutdown
        request.AwaitingReply = false;
        m_outstanding = nullptr;
        m_timeOuter->stop();
    }
    m_state.ReplyWaitActive = --m_waitDepth > 0;
    return request.ReplyReceived;
}

void RequestChannel::timeOut()
{
    m_timeOuter->stop();
    endWaitingRequest();
}

void RequestChannel::endWaitingRequest()
{
    if (!m_outstanding)
        return;
    m_outstanding->AwaitingReply = false;
    m_outstanding->ReplyReceived = false;
    m_outstanding = nullptr;
    m_timeOuter->stop();
}

void RequestChannel::replyArrived(std::span<const std::uint8_t> payload, std::span<const std::uint8_t> frame)
{
    if (m_trace)
        m_trace->received(m_scheduler.nowMs(), m_outstanding ? CommandName(m_outstanding->command) : "Unexpected", frame);
    if (!m_outstanding)
        return; // nobody waits for it: a late reply must not end the next request
    m_outstanding->reply.assign(payload.begin(), payload.end());
    m_outstanding->AwaitingReply = false;
    m_outstanding->ReplyReceived = true;
    m_outstanding = nullptr;
    m_timeOuter->stop();
}

} // namespace quorix::link
