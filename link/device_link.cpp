#include "device_link.h"

#include "reply_match.h"

#include "core/common_addresses.h"

#include <string_view>

namespace quorix::link {

DeviceLink::DeviceLink(HidBackend& backend, core::Scheduler& scheduler, LinkContext context, LinkHost& host,
                       std::ostream* trace, TraceRing* ring)
    : m_scheduler(scheduler), m_context(context), m_host(host),
      m_trace(trace || ring ? std::make_unique<ProtocolTrace>(trace, ring) : nullptr),
      m_usb(backend, scheduler,
            {[this](std::span<const std::uint8_t> data) { m_parser.ParseIncoming(data, *this); }, {},
             [this] { m_host.report({LinkCode::DeviceUnusable}); },
             [this](const std::string& reason) {
                 ++m_state.counters.deviceRefusals;
                 if (m_trace)
                     m_trace->note(m_scheduler.nowMs(), reason);
             }}),
      m_channel(scheduler, m_usb, m_parser, m_state,
                [this] {
                    return RequestSources{m_context.store, m_context.image, m_context.view.CurrentMode,
                                          m_context.digits};
                },
                [this] { m_supervisor.linkLostByRequest(); }, m_trace.get()),
      m_blocks(m_channel, host, context.store, context.view),
      m_supervisor(scheduler, m_state, host, m_usb, m_parser, m_channel,
                   [this] { m_host.report({synchronise() ? LinkCode::Synchronised : LinkCode::SyncFailed}); },
                   m_trace.get())
{
}

void DeviceLink::start()
{
    m_usb.startPolling();
    m_supervisor.start();
}

void DeviceLink::stop()
{
    m_supervisor.stop();
    m_usb.stopPolling();
}

bool DeviceLink::SendCommand(Command command, int mode, int address)
{
    return m_channel.SendCommand(command, mode, address);
}

void DeviceLink::queueWrite(int mode, int address)
{
    if (m_state.LinkOnline)
        m_channel.QueueWrite(mode, address);
}

bool DeviceLink::WriteParam(int address)
{
    return m_state.LinkOnline && m_channel.SendCommand(Command::WriteParam, 0, address);
}

bool DeviceLink::synchronise()
{
    return m_synchronisation ? m_synchronisation() : m_blocks.ReadFromDevice(0, true, Command::ReadBlock);
}

bool DeviceLink::ReadFromDevice(int preset, bool full, Command readCode)
{
    return m_blocks.ReadFromDevice(preset, full, readCode);
}

bool DeviceLink::WriteToDevice(int preset)
{
    return m_blocks.WriteToDevice(preset);
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
    m_context.store.at(0, core::kToneAddress).Value = core::kNeutralTone;
    m_host.report({LinkCode::Tone, core::kNeutralTone});
}

void DeviceLink::onFrame(std::span<const std::uint8_t> payload, std::span<const std::uint8_t> frame)
{
    if (m_state.LinkOnline) {
        if (!m_channel.replyArrived(payload, frame))
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
            m_state.DeviceVariantFlag = false;
        else if (payload[7] == '3')
            m_state.DeviceVariantFlag = true;
    }
    m_host.report({LinkCode::Variant, m_state.DeviceVariantFlag ? 1 : 0});
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
