#include "device_link.h"

#include "reply_match.h"

#include "core/common_addresses.h"

#include <string_view>

namespace quorix::link {

DeviceLink::DeviceLink(HidBackend& backend, core::Scheduler& scheduler, LinkContext context, LinkHost& host,
                       std::ostream* trace, TraceRing* ring)
    : m_scheduler(scheduler), m_context(context), m_host(host),
      m_trace(trace || ring ? std::make_unique<ProtocolTrace>(trace, ring) : nullptr),
      m_port(backend, scheduler,
             {[this](std::span<const std::uint8_t> data, std::int64_t arrivedAtMs) {
                  m_parser.parseIncoming(data, *this, arrivedAtMs);
              },
              {},
              [this] { m_host.report({LinkCode::DeviceUnusable}); },
              [this](const std::string& reason) {
                  ++m_state.counters.deviceRefusals;
                  if (m_trace)
                      m_trace->note(m_scheduler.nowMs(), reason);
              }}),
      m_channel(
          scheduler, m_port, m_parser, m_state,
          [this] {
              return RequestSources{m_context.store, m_context.image, m_context.view.currentMode, m_context.digits};
          },
          [this] { m_supervisor.linkLostByRequest(); }, m_trace.get()),
      m_blocks(m_channel, host, context.store, context.taker, context.view, context.record),
      m_supervisor(
          scheduler, m_state, host, m_port, m_parser, m_channel, [this] { synchronise(); }, m_trace.get())
{
    m_channel.onWriteAnswered([this](int mode, int address) {
        // A newer write of the copy still waiting carries a value the processor does not hold yet.
        if (m_channel.queuedWrites(mode, address) == 0)
            m_context.record.writeAcknowledged(mode, address);
    });
    m_channel.onWritesLost([this](const std::vector<LostWrite>& writes) { writesLost(writes); });
}

// Every lost write stays marked in the record; the queued ones, which nobody
// waited for, are reported with their count.
void DeviceLink::writesLost(const std::vector<LostWrite>& writes)
{
    int unseen = 0;
    for (const LostWrite& w : writes) {
        m_context.record.writeLost(w.mode, w.address);
        if (w.waitedFor)
            continue;
        ++unseen;
        if (m_writeLost)
            m_writeLost(w.mode, w.address);
    }
    if (unseen > 0)
        m_host.report({LinkCode::WritesLost, unseen});
}

void DeviceLink::start()
{
    m_port.startPolling();
    m_supervisor.start();
}

void DeviceLink::stop()
{
    m_supervisor.stop();
    m_port.stopPolling();
}

void DeviceLink::sendCommand(Command command, int mode, int address, Completion done)
{
    m_channel.send(command, mode, address, std::move(done));
}

void DeviceLink::queueWrite(int mode, int address)
{
    if (!m_state.online) {
        m_context.record.editedOffline(mode, address);
        return;
    }
    m_context.record.writeQueued(mode, address);
    m_channel.queueWrite(mode, address);
}

void DeviceLink::writeParam(int address, TransferDone done)
{
    if (!m_state.online) {
        done(false);
        return;
    }
    sendCommand(Command::WriteParam, 0, address,
                [done = std::move(done)](const RequestOutcome& outcome) { done(outcome.answered); });
}

void DeviceLink::synchronise()
{
    TransferDone told = [this](bool synchronised) {
        m_host.report({synchronised ? LinkCode::Synchronised : LinkCode::SyncFailed});
    };
    if (m_synchronisation)
        m_synchronisation(std::move(told));
    else
        readFromDevice(0, true, Command::ReadBlock, std::move(told));
}

void DeviceLink::onKeepAliveAnswer()
{
    if (m_trace) {
        const std::uint8_t keepAlive[] = {kKeepAlive};
        m_trace->received(m_scheduler.nowMs(), "KeepAlive", keepAlive);
    }
    m_supervisor.keepAliveAnswered();
}

void DeviceLink::onToneReset()
{
    if (m_trace) {
        const std::uint8_t tone[] = {kToneReset};
        m_trace->received(m_scheduler.nowMs(), "ToneReset", tone);
    }
    core::ParamRecord tone = m_context.store.at(0, core::kToneAddress);
    tone.value = core::kNeutralTone;
    m_context.taker.setCopy(0, core::kToneAddress, tone);
    m_context.record.read(0, core::kToneAddress);
    m_host.report({LinkCode::Tone, core::kNeutralTone});
}

void DeviceLink::onFrame(std::span<const std::uint8_t> payload, std::span<const std::uint8_t> frame)
{
    if (m_state.online) {
        if (!m_channel.replyArrived(payload, frame, m_parser.frameArrivalMs()))
            traceUnexpected(payload, frame);
        return;
    }
    if (!IsHandshakeReply(payload)) {
        traceUnexpected(payload, frame);
        return;
    }
    if (m_trace)
        m_trace->received(m_scheduler.nowMs(), "Handshake", frame);
    if (payload.size() > 7) {
        if (payload[7] == '1')
            m_state.deviceVariantFlag = false;
        else if (payload[7] == '3')
            m_state.deviceVariantFlag = true;
    }
    m_host.report({LinkCode::Variant, m_state.deviceVariantFlag ? 1 : 0});
    m_supervisor.goOnline();
}

// A frame nobody asked for (stale, duplicated, or noise that passed the
// checksum) changes nothing; the trace says what it looked like.
void DeviceLink::traceUnexpected(std::span<const std::uint8_t> payload, std::span<const std::uint8_t> frame)
{
    ++m_state.counters.unexpectedFrames;
    if (m_trace)
        m_trace->received(m_scheduler.nowMs(), "Unexpected:" + ReplyShape(payload), frame);
}

void DeviceLink::onBadFrame(std::span<const std::uint8_t> frame)
{
    ++m_state.counters.badChecksums;
    if (m_trace)
        m_trace->received(m_scheduler.nowMs(), "BadChecksum", frame);
}

} // namespace quorix::link
