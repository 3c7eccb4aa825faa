#include "faulty_port.h"

#include "link/frame.h"

#include <algorithm>

using namespace quorix;

namespace {

constexpr std::size_t kReportLength = link::kDefaultReportLength;
constexpr std::size_t kMostPayload = kReportLength - 2;

bool IsSignal(std::uint8_t byte)
{
    return byte >= link::kToneReset;
}

enum Fault { Pass, Drop, Late, Duplicate, Resize, Split, Corrupt, Noise, kFaultCount };

} // namespace

class FaultyPort::Device final : public link::HidDevice {
public:
    explicit Device(FaultyPort& port) : m_port(port) {}
    bool writeReport(std::span<const std::uint8_t> report) override { return m_port.write(report); }
    int readReport(std::span<std::uint8_t> buffer, int) override { return m_port.read(buffer); }
    std::size_t inputReportLength() const override { return kReportLength; }
    std::size_t outputReportLength() const override { return kReportLength; }

private:
    FaultyPort& m_port;
};

FaultyPort::FaultyPort(sim::VirtualProcessor& processor, const core::Scheduler& clock, FuzzedDataProvider& fuzz)
    : m_processor(processor), m_clock(clock), m_fuzz(fuzz)
{
    m_processor.setOutput([this](const Bytes& reply) { carry(reply); });
}

std::vector<std::string> FaultyPort::enumerate(std::uint16_t, std::uint16_t, std::string*)
{
    return {"fuzz-processor"};
}

std::unique_ptr<link::HidDevice> FaultyPort::open(const std::string&)
{
    return std::make_unique<Device>(*this);
}

bool FaultyPort::write(std::span<const std::uint8_t> report)
{
    if (report.size() != kReportLength || report[0] != link::kOutputReportId)
        return false;
    m_processor.receive(report.subspan(2, std::min<std::size_t>(report[1], kMostPayload)));
    return true;
}

FaultyPort::Bytes FaultyPort::ordinaryBytes(std::size_t most)
{
    Bytes bytes = m_fuzz.ConsumeBytes<std::uint8_t>(m_fuzz.ConsumeIntegralInRange<std::size_t>(1, most));
    for (std::uint8_t& b : bytes)
        if (b == link::kFrameStart)
            b = 0;
    return bytes;
}

void FaultyPort::carry(Bytes reply)
{
    const std::int64_t now = m_clock.nowMs();
    std::size_t piece = kMostPayload;
    switch (m_fuzz.ConsumeIntegralInRange<int>(0, kFaultCount - 1)) {
    case Drop:
        return;
    case Late:
        queue(reply, now + m_fuzz.ConsumeIntegralInRange<std::int64_t>(600, 3000), piece);
        return;
    case Duplicate:
        queue(reply, now, piece);
        queue(reply, now + m_fuzz.ConsumeIntegralInRange<std::int64_t>(0, 1500), piece);
        return;
    case Resize:
        if (m_fuzz.ConsumeBool()) {
            reply.resize(m_fuzz.ConsumeIntegralInRange<std::size_t>(0, reply.size()));
        } else {
            const Bytes padding = ordinaryBytes(8);
            reply.insert(reply.end(), padding.begin(), padding.end());
        }
        break;
    case Split:
        piece = m_fuzz.ConsumeIntegralInRange<std::size_t>(1, kMostPayload);
        break;
    case Corrupt:
        if (!reply.empty()) {
            std::uint8_t& b = reply[m_fuzz.ConsumeIntegralInRange<std::size_t>(0, reply.size() - 1)];
            const auto changed = static_cast<std::uint8_t>(b ^ m_fuzz.ConsumeIntegralInRange<std::uint8_t>(1, 0xFF));
            if (!IsSignal(b) && !IsSignal(changed))
                b = changed;
        }
        break;
    case Noise: {
        Bytes noisy = ordinaryBytes(8);
        noisy.insert(noisy.end(), reply.begin(), reply.end());
        reply = std::move(noisy);
        break;
    }
    default:
        break;
    }
    queue(reply, now, piece);
}

void FaultyPort::queue(const Bytes& bytes, std::int64_t readyAt, std::size_t piece)
{
    for (std::size_t offset = 0; offset < bytes.size(); offset += piece) {
        const std::size_t n = std::min(piece, bytes.size() - offset);
        Bytes report(kReportLength, 0);
        report[0] = link::kInputReportId;
        report[1] = static_cast<std::uint8_t>(n);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), n, report.begin() + 2);
        m_input.emplace(readyAt, std::move(report));
    }
}

int FaultyPort::read(std::span<std::uint8_t> buffer)
{
    if (m_input.empty() || m_input.begin()->first > m_clock.nowMs())
        return 0;
    const Bytes& report = m_input.begin()->second;
    const std::size_t n = std::min(buffer.size(), report.size());
    std::copy_n(report.begin(), n, buffer.begin());
    m_input.erase(m_input.begin());
    return static_cast<int>(n);
}
