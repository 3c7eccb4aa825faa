#include "sim_usb_port.h"

#include <algorithm>

namespace quorix::sim {

namespace {

constexpr const char* kDevicePath = "sim:quorix-processor";
constexpr std::uint8_t kFrameStart = 0xFE;
constexpr std::uint8_t kWriteBlock = 0x02;

} // namespace

class SimUsbPort::Device final : public link::HidDevice {
public:
    Device(SimUsbPort& port, std::uint64_t generation) : m_port(port), m_generation(generation) {}
    ~Device() override
    {
        if (m_port.m_listener == this)
            m_port.m_listener = nullptr;
    }
    bool writeReport(std::span<const std::uint8_t> report) override { return m_port.write(m_generation, report); }
    int readReport(std::span<std::uint8_t> buffer, int) override { return m_port.read(m_generation, buffer); }
    // A report reaches the computer when it becomes readable, however late the console reads it.
    std::int64_t lastReportAgeMs() const override { return m_port.m_clock.nowMs() - m_port.m_lastReadyAt; }
    std::size_t inputReportLength() const override { return m_port.m_reportLength; }
    std::size_t outputReportLength() const override { return m_port.m_reportLength; }
    std::vector<std::uint8_t> reportDescriptor() const override { return m_port.reportDescriptor(); }
    bool notifyReadable(std::function<void()> readable) override
    {
        mReadable = std::move(readable);
        m_port.m_listener = this;
        if (!m_port.m_input.empty())
            m_port.armWake(m_port.m_input.front().readyAt);
        return true;
    }

    std::function<void()> mReadable;

private:
    SimUsbPort& m_port;
    std::uint64_t m_generation;
};

SimUsbPort::SimUsbPort(VirtualProcessor& processor, core::Scheduler& clock)
    : m_processor(processor), m_clock(clock), m_wake(clock.createTimer(0, true, [this] { wake(); }))
{
    m_processor.setOutput([this](const VirtualProcessor::Bytes& bytes) { queueReply(bytes); });
}

SimUsbPort::~SimUsbPort()
{
    m_processor.setOutput({});
}

void SimUsbPort::armWake(std::int64_t at)
{
    m_wake->setInterval(static_cast<int>(std::max<std::int64_t>(0, at + m_wakeLagMs - m_clock.nowMs())));
    m_wake->start();
}

// The reading may close the device and so end the listener: its callback runs from a copy.
void SimUsbPort::wake()
{
    if (!m_listener)
        return;
    const std::function<void()> readable = m_listener->mReadable;
    readable();
}

std::vector<std::string> SimUsbPort::enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string*)
{
    if (!m_plugged || vendorId != link::kProcessorVendorId || productId != link::kProcessorProductId)
        return {};
    return {kDevicePath};
}

std::unique_ptr<link::HidDevice> SimUsbPort::open(const std::string& path)
{
    if (!m_plugged || m_busy || path != kDevicePath)
        return nullptr;
    return std::make_unique<Device>(*this, m_generation);
}

int SimUsbPort::interfaceNumber(const std::string& path)
{
    return path == kDevicePath ? 0 : -1;
}

// A vendor-defined collection: input report 2 and output report 1, each of
// m_reportLength - 1 data bytes after its id.
SimUsbPort::Bytes SimUsbPort::reportDescriptor() const
{
    const auto count = static_cast<std::uint16_t>(m_reportLength - 1);
    const auto low = static_cast<std::uint8_t>(count & 0xFF);
    const auto high = static_cast<std::uint8_t>(count >> 8);
    return {0x06, 0x00,
            0xFF, 0x09,
            0x01, 0xA1,
            0x01, // vendor page, application
            0x85, link::kInputReportId,
            0x09, 0x01,
            0x15, 0x00,
            0x26, 0xFF,
            0x00, 0x75,
            0x08, // id, usage, 0..255, 8 bits
            0x96, low,
            high, 0x81,
            0x02, // count, Input
            0x85, link::kOutputReportId,
            0x09, 0x01,
            0x75, 0x08,
            0x96, low,
            high, 0x91,
            0x02, // id, usage, Output
            0xC0};
}

void SimUsbPort::unplug()
{
    m_plugged = false;
    ++m_generation;
    m_input.clear();
    m_processor.dropPartialRequest();
    armWake(m_clock.nowMs()); // the open device finds itself gone at its next read
}

void SimUsbPort::replug()
{
    m_plugged = true;
}

bool SimUsbPort::write(std::uint64_t generation, std::span<const std::uint8_t> report)
{
    if (!m_plugged || generation != m_generation)
        return false;
    if (report.size() != m_reportLength)
        return refuse("report of " + std::to_string(report.size()) + " bytes where the endpoint takes " +
                          std::to_string(m_reportLength),
                      report);
    if (report[0] != link::kOutputReportId)
        return refuse("output report with id " + std::to_string(report[0]), report);
    if (report[1] == 0 || report[1] > m_reportLength - 2)
        return refuse("output report claiming " + std::to_string(report[1]) + " bytes", report);
    ++m_reportsWritten;
    const std::int64_t now = m_clock.nowMs();
    m_requestArrival = m_paced ? std::max(now, m_lastOut + 1) : now;
    m_lastOut = m_requestArrival;
    const auto payload = report.subspan(2, report[1]);
    m_processor.receive(payload);
    if (m_unplugInBlockWrite && payload.size() > 1 && payload[0] == kFrameStart && payload[1] == kWriteBlock) {
        m_unplugInBlockWrite = false;
        unplug();
    }
    return true;
}

bool SimUsbPort::refuse(std::string reason, std::span<const std::uint8_t> report)
{
    m_processor.refusals().add(std::move(reason), report);
    return false;
}

void SimUsbPort::queueReply(const Bytes& bytes)
{
    int extraDelay = 0;
    if (bytes.size() > 1 && m_nextReplyDelayMs > 0) {
        extraDelay = m_nextReplyDelayMs;
        m_nextReplyDelayMs = 0;
    }
    const std::size_t chunk = m_split ? 1 : std::min<std::size_t>(m_reportLength - 2, 0xFF);
    for (std::size_t offset = 0; offset < bytes.size(); offset += chunk) {
        const std::size_t n = std::min(chunk, bytes.size() - offset);
        std::int64_t readyAt = m_requestArrival + m_delayMs + extraDelay;
        if (m_paced)
            readyAt = std::max(readyAt + 1, m_lastIn + 1);
        if (extraDelay == 0)
            m_lastIn = readyAt;
        Bytes report(m_reportLength, 0);
        report[0] = link::kInputReportId;
        report[1] = static_cast<std::uint8_t>(n);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), n, report.begin() + 2);
        // Reports leave in the order they become ready; a delayed one lets later ones pass.
        const auto later = std::upper_bound(m_input.begin(), m_input.end(), readyAt,
                                            [](std::int64_t t, const InputReport& r) { return t < r.readyAt; });
        m_input.insert(later, {readyAt, std::move(report)});
    }
    if (!m_input.empty())
        armWake(m_input.front().readyAt);
}

int SimUsbPort::read(std::uint64_t generation, std::span<std::uint8_t> buffer)
{
    if (!m_plugged || generation != m_generation)
        return -1;
    if (m_input.empty())
        return 0;
    if (m_input.front().readyAt > m_clock.nowMs()) {
        armWake(m_input.front().readyAt);
        return 0;
    }
    const Bytes& report = m_input.front().bytes;
    m_lastReadyAt = m_input.front().readyAt;
    const std::size_t n = std::min(buffer.size(), report.size());
    std::copy_n(report.begin(), n, buffer.begin());
    m_input.pop_front();
    ++m_reportsRead;
    return static_cast<int>(n);
}

std::optional<SimUsbPort::InputReport> SimUsbPort::takeAhead()
{
    if (!m_plugged || m_input.empty())
        return std::nullopt;
    InputReport report = std::move(m_input.front());
    m_input.pop_front();
    m_lastReadyAt = report.readyAt;
    ++m_reportsRead;
    return report;
}

} // namespace quorix::sim
