#include "processor_probe.h"

#include "link/block_layout.h"
#include "link/chosen_device_backend.h"
#include "link/frame_parser.h"
#include "link/hid_port.h"
#include "link/protocol_trace.h"
#include "link/request_builder.h"

#include "core/address_map.h"
#include "core/digit_buffer.h"

#include <memory>

namespace quorix::support {

namespace {

// One request at a time: sends it, then runs events until its first answer or the wait ends.
class Prober final : private link::FrameListener {
public:
    Prober(link::HidBackend& backend, core::Scheduler& scheduler, link::ProtocolTrace& trace, ProbeRecord& record)
        : m_scheduler(scheduler), m_trace(trace), m_record(record),
          m_port(backend, scheduler,
                 {[this](std::span<const std::uint8_t> data, std::int64_t arrivedAtMs) {
                      m_parser.parseIncoming(data, *this, arrivedAtMs);
                  },
                  {},
                  {},
                  [this](const std::string& reason) {
                      ++m_record.counters.deviceRefusals;
                      m_trace.note(m_scheduler.nowMs(), reason);
                  }}),
          m_deadline(scheduler.createTimer(ProcessorProbe::kWaitMs, true, [this] { m_timedOut = true; }))
    {}
    ~Prober() override { m_port.stopPolling(); }

    bool connect()
    {
        m_port.startPolling();
        return m_port.connect();
    }

    Exchange request(const char* name, link::Bytes frame) { return send(name, std::move(frame), false); }
    Exchange keepAlive() { return send("KeepAlive", {link::kKeepAlive}, true); }

private:
    Exchange send(const char* name, link::Bytes bytes, bool keepAlive)
    {
        Exchange exchange;
        exchange.request = std::move(bytes);
        m_current = &exchange;
        m_name = name;
        m_keepAlive = keepAlive;
        while (!exchange.answered && exchange.attempts < ProcessorProbe::kAttempts) {
            ++exchange.attempts;
            const std::size_t badBefore = m_record.badFrames.size();
            m_timedOut = false;
            m_parser.reset();
            m_started = m_scheduler.nowMs();
            m_trace.sent(m_started, name, exchange.request);
            m_deadline->start();
            m_port.sendData(exchange.request);
            while (!exchange.answered && !m_timedOut)
                m_scheduler.processPendingEvents();
            m_deadline->stop();
            if (!exchange.answered && m_record.badFrames.size() == badBefore)
                ++exchange.silentAttempts;
        }
        m_current = nullptr;
        return exchange;
    }

    void answer(std::span<const std::uint8_t> reply)
    {
        m_current->answered = true;
        m_current->reply.assign(reply.begin(), reply.end());
        m_current->elapsedMs = m_scheduler.nowMs() - m_started;
    }

    void onKeepAliveAnswer() override
    {
        const std::uint8_t keepAlive[] = {link::kKeepAlive};
        m_trace.received(m_scheduler.nowMs(), "KeepAlive", keepAlive);
        if (m_current && m_keepAlive && !m_current->answered)
            answer(keepAlive);
    }
    void onToneReset() override
    {
        const std::uint8_t tone[] = {link::kToneReset};
        m_trace.received(m_scheduler.nowMs(), "ToneReset", tone);
    }
    void onFrame(std::span<const std::uint8_t> payload, std::span<const std::uint8_t> frame) override
    {
        m_record.validFrames.emplace_back(frame.begin(), frame.end());
        const bool first = m_current && !m_keepAlive && !m_current->answered;
        m_trace.received(m_scheduler.nowMs(), first ? m_name : "Unexpected", frame);
        if (first) {
            answer(payload);
        } else {
            ++m_record.counters.unexpectedFrames;
            m_record.unexpected.emplace_back(frame.begin(), frame.end());
        }
    }
    void onBadFrame(std::span<const std::uint8_t> frame) override
    {
        m_record.badFrames.emplace_back(frame.begin(), frame.end());
        ++m_record.counters.badChecksums;
        m_trace.received(m_scheduler.nowMs(), "BadChecksum", frame);
    }

    core::Scheduler& m_scheduler;
    link::ProtocolTrace& m_trace;
    ProbeRecord& m_record;
    link::FrameParser m_parser;
    link::HidPort m_port;
    std::unique_ptr<core::Timer> m_deadline;
    Exchange* m_current = nullptr;
    const char* m_name = "";
    bool m_keepAlive = false;
    bool m_timedOut = false;
    std::int64_t m_started = 0;
};

link::Bytes Request(link::Command command, int mode, int address, int modeOverride = 0)
{
    static const core::ParamStore kNone{};
    static const core::DigitBuffer kNoDigits{};
    auto overrideByte = static_cast<std::uint8_t>(modeOverride);
    return link::BuildRequest(command, mode, address, overrideByte, {kNone, kNone, 0, kNoDigits});
}

void Decode(core::ParamStore& store, int kind, const link::Bytes& payload)
{
    if (payload.size() != link::BlockDataSize(kind))
        return;
    std::size_t position = 0;
    for (int a = core::KindFirst(kind); a <= core::KindLast(kind); ++a)
        position = link::DecodeRecord(payload, position, store.at(0, a), link::TravelsAsBand(a));
}

} // namespace

ProcessorProbe::ProcessorProbe(link::HidBackend& backend, core::Scheduler& scheduler, std::ostream* trace)
    : m_backend(backend), m_scheduler(scheduler), m_trace(trace)
{}

ProbeRecord ProcessorProbe::run(const std::string& path)
{
    ProbeRecord record;
    record.path = path;
    record.read = core::DefaultParamStore();
    {
        const auto device = m_backend.open(path);
        if (!device)
            return record;
        record.opened = true;
        record.descriptor = device->reportDescriptor();
        record.inputLength = device->inputReportLength();
        record.outputLength = device->outputReportLength();
    }
    link::ProtocolTrace trace(m_trace, &m_ring);
    link::ChosenDeviceBackend chosen(m_backend, path);
    Prober prober(chosen, m_scheduler, trace, record);
    if (!prober.connect())
        return record;

    record.handshake = prober.request("Handshake", link::HandshakeFrame());
    if (!record.handshake.answered)
        return record;
    record.status = prober.request("ReadStatus", Request(link::Command::ReadStatus, 0, 0));
    const link::Bytes& status = record.status.reply;
    if (record.status.answered && status.size() == 2 && status[1] <= 7)
        record.preset = status[1];
    const auto readKind = [&](int kind, int modeOverride) {
        record.blocks.push_back({kind, prober.request("ReadBlock", Request(link::Command::ReadBlock, record.preset,
                                                                           core::KindFirst(kind), modeOverride))});
        Decode(record.read, kind, record.blocks.back().exchange.reply);
    };
    for (int kind : link::kBlockModeKinds)
        readKind(kind, 0);
    for (int kind : link::kBlockGlobalKinds)
        readKind(kind, record.preset);
    core::MirrorSharedParameters(record.read);
    record.readDone = prober.request("ReadDone", Request(link::Command::ReadDone, 0, 0));
    record.danceSet = {0, prober.request("ReadBlock", Request(link::Command::ReadBlock, link::kDanceSetPreset, 0))};
    record.keepAlive = prober.keepAlive();
    return record;
}

} // namespace quorix::support
