#pragma once

#include "frame.h"
#include "frame_parser.h"
#include "hid_port.h"
#include "link_state.h"
#include "protocol_trace.h"
#include "request_builder.h"

#include "core/digit_buffer.h"
#include "core/scheduler.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

namespace quorix::link {

// Frames that had the shape of the reply the wire waited for and were still
// not taken: one that arrived before the request went out (a duplicate or a
// late answer to an earlier one), and one whose fields no processor could hold.
struct RefusedReplies {
    int stale = 0;
    int outOfRange = 0;
};

// A single-parameter write that did not reach the processor.
struct LostWrite {
    int mode = 0;
    int address = 0;
    bool waitedFor = false; // its caller waited for it and was told
};

// What became of one request.
struct RequestOutcome {
    bool answered = false; // its reply arrived, or a frame sent since it was made already carried its value
    bool faulted = false;  // it could not be built: nothing went out
    Bytes reply;           // the payload of its reply
};

// Told once what became of a request sent with RequestChannel::Send.
using Completion = std::function<void(const RequestOutcome&)>;

// The request/reply transaction. Requests go on the wire one at a time in the
// order they were made. A control's write is queued and nobody waits for it.
// Every other request is sent with a completion, told its outcome from a turn
// of the event loop of its own: nothing waits for a reply, so no click or timer
// runs inside a half-finished link step. A frame is built from the store when it
// goes on the wire, so a write carries the newest value, and a write whose
// frame already went out since it was made is not sent again. A queued write to
// the parameter and mode of a write still waiting in the queue takes its place,
// so a drag never builds a backlog. A reply ends the request on the wire only
// when it fits it, arrived after it went out and holds what a processor can.
// Once the link is gone nothing more goes out, every request behind the one on
// the wire ends unanswered and every queued write is reported lost.
class RequestChannel {
public:
    static constexpr int kAttempts = 9;
    static constexpr int kReplyTimeoutMs = 600;

    RequestChannel(core::Scheduler& scheduler, HidPort& usb, FrameParser& parser, LinkState& state,
                   std::function<RequestSources()> sources, std::function<void()> onFailure, ProtocolTrace* trace);

    // Queues (command, mode, address) behind every request made before it and
    // returns at once; it is sent up to nine times, 600 ms apart. `done` is told its outcome once, from a turn of the
    // event loop of its own after the link step that ended it, so it may send the next request at once. `modeOverride`
    // replaces the frame's mode byte when not 0.
    void send(Command command, int mode, int address, Completion done, std::uint8_t modeOverride = 0);
    // Queues the single-parameter write of (mode index, address) and returns at once.
    void queueWrite(int mode, int address);
    // The writes that did not reach the processor (lost on the wire, dropped after
    // the link went away, or not buildable), in one call once the link step that
    // lost them has ended.
    void onWritesLost(std::function<void(const std::vector<LostWrite>&)> handler) { m_writesLost = std::move(handler); }
    // A single-parameter write of (mode, address) was answered, or found already carried.
    void onWriteAnswered(std::function<void(int mode, int address)> handler) { m_writeAnswered = std::move(handler); }
    // Queued writes of (mode, address) not yet on the wire: 0 or 1.
    int queuedWrites(int mode, int address) const;
    // Whether the request could be built from the store and image as they are now.
    bool buildable(Command command, int mode, int address, std::uint8_t modeOverride = 0) const;

    // A valid frame arrived while online, its first byte at `arrivedAtMs`. True
    // when it was the reply of the request on the wire, or had its shape and was
    // refused (both traced); anything else is left to the caller. A refused reply
    // counts as none, like a bad checksum: the request is sent again when its time runs out.
    bool replyArrived(std::span<const std::uint8_t> payload, std::span<const std::uint8_t> frame,
                      std::int64_t arrivedAtMs);
    const RefusedReplies& refusedReplies() const { return m_refused; }
    // The link was lost: the request on the wire ends at once.
    void endWaitingRequest();
    // The link was switched off: the requests not yet on the wire end at once,
    // the one on the wire with its wait.
    void releaseUnsent();

    // Of the request whose caller was told last.
    const Bytes& lastReply() const { return m_last.reply; }
    bool faulted() const { return m_last.faulted; }
    bool busy() const { return !m_queue.empty(); }

private:
    struct Request {
        Command command;
        int mode;
        int address;
        // What the caller meant when it asked: the frame is built later.
        std::uint8_t currentMode;
        std::uint8_t modeOverride;
        core::DigitBuffer digits;
        std::uint64_t madeAt;
        std::uint64_t sentAt = 0;
        std::int64_t firstSentMs = 0; // on the scheduler's clock
        int attemptsLeft = kAttempts;
        bool queued = false; // a control's write: nobody waits for it
        bool onWire = false;
        bool done = false;
        Bytes frame{};
        RequestOutcome outcome{};
        Completion completion{};
    };
    struct SentWrite {
        Bytes frame{};
        std::uint64_t sentAt;
    };

    void enqueue(std::shared_ptr<Request> request);
    void pump();
    void reportLostWrites();
    void transmit(Request& request);
    bool alreadySent(const Request& request) const;
    void finish(Request& request);
    void fail(Request& request);
    void timeOut();
    void deliverOutcomes();
    void updateWaiting();
    Request* onWire() const;

    core::Scheduler& m_scheduler;
    HidPort& m_port;
    FrameParser& m_parser;
    LinkState& m_state;
    std::function<RequestSources()> m_sources;
    std::function<void()> m_onFailure;
    ProtocolTrace* m_trace;
    std::unique_ptr<core::Timer> m_timeOuter;
    std::unique_ptr<core::Timer> m_deliverer;
    // Ended requests whose callers have not been told yet, oldest first.
    std::vector<std::pair<Completion, RequestOutcome>> m_outcomes;
    int m_sentAwaiting = 0; // requests made by Send whose caller was not told yet
    // Requests not yet ended, oldest first; only the front may be on the wire.
    std::deque<std::shared_ptr<Request>> m_queue;
    std::function<void(const std::vector<LostWrite>&)> m_writesLost;
    std::function<void(int, int)> m_writeAnswered;
    std::vector<LostWrite> m_lostWrites; // reported when the step ends
    int m_pumpDepth = 0;
    // The last answered write of each header (mode, kind, address) since the
    // last request of any other kind.
    std::map<int, SentWrite> m_sentWrites;
    std::uint64_t m_stamp = 0;
    RequestOutcome m_last;
    RefusedReplies m_refused;
};

} // namespace quorix::link
