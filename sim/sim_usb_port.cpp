#include "sim_usb_port.h"

#include <algorithm>

namespace quorix::sim {

namespace {

constexpr const char* kDevicePath = "sim:quorix-processor";

} // namespace

class SimUsbPort::Device final : public link::HidDevice {
public:
    Device(SimUsbPort& port, std::uint64_t generation) : m_port(port), m_generation(generation) {}
    bool writeReport(std::span<const std::uint8_t> report) override { return m_port.write(m_generation, report); }
    int readReport(std::span<std::uint8_t> buffer, int) override { return m_port.read(m_generation, buffer); }
    std::size_t inputReportLength() const override { return kReportLength; }
    std::size_t outputReportLength() const override { return kReportLength; }

private:
    SimUsbPort& m_port;
    std::uint64_t m_generation;
};

SimUsbPort::SimUsbPort(VirtualProcessor& processor, const core::Scheduler& clock)
    : m_processor(processor), m_clock(clock)
{
    m_processor.setOutput([this](const link::Bytes& bytes) { queueReply(bytes); });
}

std::vector<std::string> SimUsbPort::enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string*)
{
    if (!m_plugged || vendorId != link::kProcessorVendorId || productId != link::kProcessorProductId)
        return {};
    return {kDevicePath};
}

std::unique_ptr<link::HidDevice> SimUsbPort::open(const std::string& path)
{
    if (!m_plugged || path != kDevicePath)
        return nullptr;
    return std::make_unique<Device>(*this, m_generation);
}

void SimUsbPort::unplug()
{
    m_plugged = false;
    ++m_generation;
    m_input.clear();
}

void SimUsbPort::replug()
{
    m_plugged = true;
}

bool SimUsbPort::write(std::uint64_t generation, std::span<const std::uint8_t> report)
{
    if (!m_plugged || generation != m_generation || report.size() != kReportLength || report[0] != link::kOutputReportId)
        return false;
    ++m_reportsWritten;
    const std::int64_t now = m_clock.nowMs();
    m_requestArrival = m_paced ? std::max(now, m_lastOut + 1) : now;
    m_lastOut = m_requestArrival;
    const std::size_t n = std::min<std::size_t>(report[1], kReportLength - 2);
    m_processor.receive(report.subspan(2, n));
    return true;
}

void SimUsbPort::queueReply(const link::Bytes& bytes)
{
    const std::size_t chunk = m_split ? 1 : kReportLength - 2;
    for (std::size_t offset = 0; offset < bytes.size(); offset += chunk) {
        const std::size_t n = std::min(chunk, bytes.size() - offset);
        std::int64_t readyAt = m_requestArrival + m_delayMs;
        if (m_paced)
            readyAt = std::max(readyAt + 1, m_lastIn + 1);
        m_lastIn = readyAt;
        link::Bytes report(kReportLength, 0);
        report[0] = link::kInputReportId;
        report[1] = static_cast<std::uint8_t>(n);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), n, report.begin() + 2);
        m_input.push_back({readyAt, std::move(report)});
    }
}

int SimUsbPort::read(std::uint64_t generation, std::span<std::uint8_t> buffer)
{
    if (!m_plugged || generation != m_generation)
        return -1;
    if (m_input.empty() || m_input.front().readyAt > m_clock.nowMs())
        return 0;
    const link::Bytes& report = m_input.front().bytes;
    const std::size_t n = std::min(buffer.size(), report.size());
    std::copy_n(report.begin(), n, buffer.begin());
    m_input.pop_front();
    return static_cast<int>(n);
}

} // namespace quorix::sim
