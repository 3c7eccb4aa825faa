#include "request_channel.h"

#include "reply_match.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace quorix::link {

namespace {

int HeaderKey(const Bytes& frame)
{
    return frame[2] << 16 | frame[3] << 8 | frame[4];
}

} // namespace

RequestChannel::RequestChannel(core::Scheduler& scheduler, HidPort& usb, FrameParser& parser, LinkState& state,
                               std::function<RequestSources()> sources, std::function<void()> onFailure,
                               ProtocolTrace* trace)
    : m_scheduler(scheduler), m_port(usb), m_parser(parser), m_state(state), m_sources(std::move(sources)),
      m_onFailure(std::move(onFailure)), m_trace(trace),
      m_timeOuter(scheduler.createTimer(kReplyTimeoutMs, true, [this] { timeOut(); })),
      m_deliverer(scheduler.createTimer(0, true, [this] { deliverOutcomes(); }))
{}

void RequestChannel::send(Command command, int mode, int address, Completion done, std::uint8_t modeOverride)
{
    const RequestSources sources = m_sources();
    if (!done)
        done = [](const RequestOutcome&) {};
    ++m_sentAwaiting;
    updateWaiting();
    enqueue(std::make_shared<Request>(Request{.command = command,
                                              .mode = mode,
                                              .address = address,
                                              .currentMode = sources.currentMode,
                                              .modeOverride = modeOverride,
                                              .digits = sources.digits,
                                              .madeAt = ++m_stamp,
                                              .completion = std::move(done)}));
}

void RequestChannel::deliverOutcomes()
{
    // A caller told may send again, and its request may end before this loop does.
    while (!m_outcomes.empty()) {
        auto [completion, outcome] = std::move(m_outcomes.front());
        m_outcomes.erase(m_outcomes.begin());
        --m_sentAwaiting;
        updateWaiting();
        m_last = outcome;
        completion(outcome);
    }
}

// A caller waits while a request it sent is not over, or its outcome not told.
void RequestChannel::updateWaiting()
{
    m_state.replyWaitActive = m_sentAwaiting > 0;
}

void RequestChannel::queueWrite(int mode, int address)
{
    const auto request = std::make_shared<Request>(Request{.command = Command::WriteParam,
                                                           .mode = 0,
                                                           .address = address,
                                                           .currentMode = static_cast<std::uint8_t>(mode),
                                                           .modeOverride = 0,
                                                           .digits = {},
                                                           .madeAt = ++m_stamp,
                                                           .queued = true});
    // The older write would only carry the value this one carries: it gives way.
    std::erase_if(m_queue, [&request](const auto& r) {
        return r->queued && !r->onWire && r->address == request->address && r->currentMode == request->currentMode;
    });
    enqueue(request);
}

int RequestChannel::queuedWrites(int mode, int address) const
{
    return static_cast<int>(std::count_if(m_queue.begin(), m_queue.end(), [&](const auto& r) {
        return r->queued && !r->onWire && r->address == address && r->currentMode == mode;
    }));
}

void RequestChannel::enqueue(std::shared_ptr<Request> request)
{
    m_queue.push_back(std::move(request));
    pump();
}

bool RequestChannel::buildable(Command command, int mode, int address, std::uint8_t modeOverride) const
{
    try {
        BuildRequest(command, mode, address, modeOverride, m_sources());
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

RequestChannel::Request* RequestChannel::onWire() const
{
    return !m_queue.empty() && m_queue.front()->onWire ? m_queue.front().get() : nullptr;
}

// Puts the oldest request on the wire when the wire is free, ending at once
// those that cannot or need not go out.
void RequestChannel::pump()
{
    ++m_pumpDepth;
    while (!m_queue.empty() && !m_queue.front()->onWire) {
        const std::shared_ptr<Request> request = m_queue.front();
        if (!m_state.online || m_state.quietShutdown) {
            finish(*request);
            continue;
        }
        const RequestSources sources = m_sources();
        try {
            std::uint8_t modeOverride = request->modeOverride;
            request->frame = BuildRequest(request->command, request->mode, request->address, modeOverride,
                                          {sources.store, sources.image, request->currentMode, request->digits});
        } catch (const std::exception&) {
            request->outcome.faulted = true;
            finish(*request);
            continue;
        }
        if (alreadySent(*request)) {
            request->outcome.answered = true;
            finish(*request);
            continue;
        }
        if (request->command != Command::WriteParam)
            m_sentWrites.clear(); // the processor's memory may change in other ways now
        request->onWire = true;
        request->sentAt = ++m_stamp;
        request->firstSentMs = m_scheduler.nowMs();
        transmit(*request);
        break;
    }
    if (--m_pumpDepth == 0)
        reportLostWrites();
}

// After the step that lost them, so a handler that queues again finds the queue settled.
void RequestChannel::reportLostWrites()
{
    const auto lost = std::exchange(m_lostWrites, {});
    if (m_writesLost && !lost.empty())
        m_writesLost(lost);
}

void RequestChannel::transmit(Request& request)
{
    m_parser.reset();
    if (m_trace)
        m_trace->sent(m_scheduler.nowMs(), CommandName(request.command), request.frame);
    m_port.sendData(request.frame);
    m_timeOuter->start();
}

bool RequestChannel::alreadySent(const Request& request) const
{
    if (request.command != Command::WriteParam)
        return false;
    const auto sent = m_sentWrites.find(HeaderKey(request.frame));
    return sent != m_sentWrites.end() && sent->second.sentAt > request.madeAt && sent->second.frame == request.frame;
}

// The request leaves the queue; a queued write may be freed with it.
void RequestChannel::finish(Request& request)
{
    request.done = true;
    const bool write = request.command == Command::WriteParam;
    const bool answered = request.outcome.answered;
    const int mode = request.currentMode;
    const int address = request.address;
    if (write && !answered)
        m_lostWrites.push_back({mode, address, !request.queued});
    if (request.completion) {
        m_outcomes.emplace_back(std::move(request.completion), request.outcome);
        m_deliverer->start();
    }
    // The queue may hold the last reference to the request.
    std::erase_if(m_queue, [&request](const auto& r) { return r.get() == &request; });
    if (write && answered && m_writeAnswered)
        m_writeAnswered(mode, address);
}

void RequestChannel::fail(Request& request)
{
    finish(request);
    m_onFailure();
    pump();
}

void RequestChannel::timeOut()
{
    m_timeOuter->stop();
    Request* request = onWire();
    if (!request)
        return;
    if (--request->attemptsLeft > 0 && m_state.online && !m_state.quietShutdown) {
        ++m_state.counters.retries;
        transmit(*request);
        return;
    }
    fail(*request);
}

void RequestChannel::endWaitingRequest()
{
    if (Request* request = onWire()) {
        m_timeOuter->stop();
        fail(*request);
        return;
    }
    pump();
}

void RequestChannel::releaseUnsent()
{
    std::vector<std::shared_ptr<Request>> unsent;
    std::copy_if(m_queue.begin(), m_queue.end(), std::back_inserter(unsent), [](const auto& r) { return !r->onWire; });
    ++m_pumpDepth;
    for (const auto& request : unsent)
        finish(*request);
    if (--m_pumpDepth == 0)
        reportLostWrites();
}

bool RequestChannel::replyArrived(std::span<const std::uint8_t> payload, std::span<const std::uint8_t> frame,
                                  std::int64_t arrivedAtMs)
{
    Request* request = onWire();
    if (!request || !ReplyFits(request->command, request->address, payload))
        return false;
    if (arrivedAtMs < request->firstSentMs) {
        ++m_refused.stale;
        if (m_trace)
            m_trace->received(m_scheduler.nowMs(), "Stale:" + ReplyShape(payload), frame);
        return true;
    }
    if (!ReplyFieldsFit(request->command, request->address, payload)) {
        ++m_refused.outOfRange;
        if (m_trace)
            m_trace->received(m_scheduler.nowMs(), "OutOfRange:" + ReplyShape(payload), frame);
        return true;
    }
    if (m_trace)
        m_trace->received(m_scheduler.nowMs(), CommandName(request->command), frame);
    m_timeOuter->stop();
    request->outcome.answered = true;
    request->outcome.reply.assign(payload.begin(), payload.end());
    if (request->command == Command::WriteParam)
        m_sentWrites[HeaderKey(request->frame)] = {request->frame, request->sentAt};
    finish(*request);
    pump();
    return true;
}

} // namespace quorix::link
