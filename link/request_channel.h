#pragma once

#include "frame.h"
#include "frame_parser.h"
#include "link_state.h"
#include "protocol_trace.h"
#include "request_builder.h"
#include "usb_comm.h"

#include "core/scheduler.h"

#include <functional>
#include <memory>

namespace quorix::link {

// The request/reply transaction. Exactly one request is on the wire at a time:
// a request made while another waits is sent once that one has ended, and a
// reply ends only the request that is outstanding.
class RequestChannel {
public:
    static constexpr int kAttempts = 9;
    static constexpr int kReplyTimeoutMs = 600;

    RequestChannel(core::Scheduler& scheduler, USB_Comm& usb, FrameParser& parser, LinkState& state,
                   std::function<RequestSources()> sources, std::function<void()> onFailure, ProtocolTrace* trace);

    // Sends (command, mode, address) and waits for the reply, up to nine attempts
    // of 600 ms. A request that cannot be built is not sent: false, and faulted().
    bool SendCommand(Command command, int mode, int address);

    // A valid frame arrived while online.
    void replyArrived(std::span<const std::uint8_t> payload, std::span<const std::uint8_t> frame);
    // The link was lost or switched off: the waiting request ends at once.
    void endWaitingRequest();

    const Bytes& lastReply() const { return m_lastReply; }
    bool faulted() const { return m_faulted; }
    void clearFault() { m_faulted = false; }
    std::uint8_t& ModeOverride() { return m_modeOverride; }
    bool busy() const { return m_outstanding != nullptr; }

private:
    struct Request {
        Command command;
        bool AwaitingReply = false;
        bool ReplyReceived = false;
        Bytes reply;
    };

    bool WaitForReply(Request& request);
    void timeOut();

    core::Scheduler& m_scheduler;
    USB_Comm& m_usb;
    FrameParser& m_parser;
    LinkState& m_state;
    std::function<RequestSources()> m_sources;
    std::function<void()> m_onFailure;
    ProtocolTrace* m_trace;
    std::unique_ptr<core::Timer> m_timeOuter;
    Request* m_outstanding = nullptr;
    int m_waitDepth = 0;
    Bytes m_lastReply;
    std::uint8_t m_modeOverride = 0;
    bool m_faulted = false;
};

} // namespace quorix::link
