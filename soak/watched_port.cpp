#include "watched_port.h"

namespace quorix::soak {

class WatchedPort::Device final : public link::HidDevice {
public:
    Device(std::unique_ptr<link::HidDevice> inner, const Written& written)
        : m_inner(std::move(inner)), m_written(written)
    {}

    bool writeReport(std::span<const std::uint8_t> report) override
    {
        const bool taken = m_inner->writeReport(report);
        if (taken)
            m_written(report);
        return taken;
    }
    int readReport(std::span<std::uint8_t> buffer, int timeoutMs) override
    {
        return m_inner->readReport(buffer, timeoutMs);
    }
    bool notifyReadable(std::function<void()> readable) override
    {
        return m_inner->notifyReadable(std::move(readable));
    }
    std::int64_t lastReportAgeMs() const override { return m_inner->lastReportAgeMs(); }
    std::size_t inputReportLength() const override { return m_inner->inputReportLength(); }
    std::size_t outputReportLength() const override { return m_inner->outputReportLength(); }

private:
    std::unique_ptr<link::HidDevice> m_inner;
    const Written& m_written;
};

std::unique_ptr<link::HidDevice> WatchedPort::open(const std::string& path)
{
    auto device = m_inner.open(path);
    if (!device)
        return nullptr;
    return std::make_unique<Device>(std::move(device), m_written);
}

} // namespace quorix::soak
