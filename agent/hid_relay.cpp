#include "hid_relay.h"

#include <algorithm>

namespace quorix::agent {

// The open device as the link holds it. It tells its relay when it goes, and
// passes the device's wake-ups to whoever reads it now.
class HidRelay::Device final : public link::HidDevice {
public:
    Device(HidRelay& relay, std::unique_ptr<link::HidDevice> inner) : m_relay(relay), m_inner(std::move(inner))
    {
        m_relay.m_device = this;
    }
    ~Device() override
    {
        if (m_relay.m_device == this)
            m_relay.m_device = nullptr;
    }

    bool writeReport(std::span<const std::uint8_t> report) override { return m_inner->writeReport(report); }
    int readReport(std::span<std::uint8_t> buffer, int timeoutMs) override
    {
        return m_inner->readReport(buffer, timeoutMs);
    }
    bool notifyReadable(std::function<void()> readable) override
    {
        m_linkReadable = std::move(readable);
        m_wakes = m_inner->notifyReadable([this] {
            if (m_relay.diverted())
                m_relay.drain();
            else if (m_linkReadable)
                m_linkReadable();
        });
        return m_wakes;
    }
    std::int64_t lastReportAgeMs() const override { return m_inner->lastReportAgeMs(); }
    std::size_t inputReportLength() const override { return m_inner->inputReportLength(); }
    std::size_t outputReportLength() const override { return m_inner->outputReportLength(); }
    std::vector<std::uint8_t> reportDescriptor() const override { return m_inner->reportDescriptor(); }

    bool wakes() const { return m_wakes; }

private:
    HidRelay& m_relay;
    std::unique_ptr<link::HidDevice> m_inner;
    std::function<void()> m_linkReadable;
    bool m_wakes = false;
};

HidRelay::HidRelay(link::HidBackend& inner, core::Scheduler& scheduler)
    : m_inner(inner), m_poll(scheduler.createTimer(kPollMs, false, [this] { drain(); }))
{}

HidRelay::~HidRelay() = default;

std::vector<std::string> HidRelay::enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string* error)
{
    return m_inner.enumerate(vendorId, productId, error);
}

std::unique_ptr<link::HidDevice> HidRelay::open(const std::string& path)
{
    auto device = m_inner.open(path);
    if (!device)
        return nullptr;
    return std::make_unique<Device>(*this, std::move(device));
}

bool HidRelay::divert(Send send)
{
    if (!m_device || !send)
        return false;
    m_send = std::move(send);
    if (!m_device->wakes())
        m_poll->start();
    drain(); // what came before the link stopped goes to the console, which asked for the device as it is
    return true;
}

void HidRelay::restore()
{
    m_send = nullptr;
    m_poll->stop();
}

bool HidRelay::forward(std::span<const std::uint8_t> report)
{
    const std::size_t length = m_device ? m_device->outputReportLength() : 0;
    if (!m_send || !m_device || report.size() < 2 || report.size() > length || report[0] != link::kOutputReportId) {
        ++m_dropped;
        return false;
    }
    std::vector<std::uint8_t> whole(report.begin(), report.end());
    whole.resize(length, 0);
    return m_device->writeReport(whole);
}

void HidRelay::drain()
{
    if (!m_send)
        return;
    std::vector<std::uint8_t> buffer;
    while (m_send && m_device) {
        buffer.assign(std::max<std::size_t>(m_device->inputReportLength(), 2), 0);
        const int count = m_device->readReport(buffer, 0);
        if (count == 0)
            return;
        if (count < 0) {
            const Send send = m_send;
            restore();
            send({});
            return;
        }
        buffer.resize(static_cast<std::size_t>(count));
        m_send(buffer);
    }
}

} // namespace quorix::agent
