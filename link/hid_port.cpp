#include "hid_port.h"

#include "report_descriptor.h"

#include <algorithm>
#include <vector>

namespace quorix::link {

HidPort::HidPort(HidBackend& backend, core::Scheduler& scheduler, Events events, std::uint16_t vendorId,
                 std::uint16_t productId)
    : m_backend(backend), m_scheduler(scheduler), m_events(std::move(events)), m_vendorId(vendorId),
      m_productId(productId), m_poll(scheduler.createTimer(kPollMs, false, [this] { pollTick(); }))
{}

bool HidPort::connect()
{
    m_lastSearchMs = m_scheduler.nowMs();
    close();
    for (const std::string& path : m_backend.enumerate(m_vendorId, m_productId, nullptr)) {
        m_device = m_backend.open(path);
        if (m_device && refusedForLengths())
            m_device.reset();
        if (m_device)
            break;
    }
    if (m_device) {
        m_inputLength = m_device->inputReportLength();
        m_outputLength = m_device->outputReportLength();
        m_failureShown = false;
        // Stopped, the link reads nothing, as a stopped poll would not.
        m_deviceWakes = m_device->notifyReadable([this] {
            if (m_polling)
                drain();
        });
    }
    updatePolling();
    if (m_events.plug)
        m_events.plug(m_device != nullptr);
    return m_device != nullptr;
}

bool HidPort::refusedForLengths()
{
    const std::string fault = ReportLengthFault({m_device->inputReportLength(), m_device->outputReportLength()});
    if (fault.empty())
        return false;
    reportFailure();
    if (m_events.refused)
        m_events.refused("device not usable: " + fault);
    return true;
}

bool HidPort::search()
{
    if (m_lastSearchMs && m_scheduler.nowMs() - *m_lastSearchMs < kSearchEveryMs)
        return false;
    return connect();
}

void HidPort::close()
{
    m_device.reset();
    m_deviceWakes = false;
    updatePolling();
}

void HidPort::reportFailure()
{
    if (!m_failureShown && m_events.failure)
        m_events.failure();
    m_failureShown = true;
}

bool HidPort::writeOneReport(std::span<const std::uint8_t> chunk)
{
    std::vector<std::uint8_t> report(m_outputLength, 0);
    report[0] = kOutputReportId;
    report[1] = static_cast<std::uint8_t>(chunk.size());
    std::copy(chunk.begin(), chunk.end(), report.begin() + 2);
    return m_device && m_device->writeReport(report);
}

bool HidPort::sendData(std::span<const std::uint8_t> data)
{
    if (!m_device && !search())
        return false;
    if (data.empty())
        return false;
    const std::size_t chunkSize = std::min<std::size_t>(m_outputLength - 2, 0xFF);
    for (std::size_t offset = 0; offset < data.size(); offset += chunkSize) {
        const auto chunk = data.subspan(offset, std::min(chunkSize, data.size() - offset));
        if (writeOneReport(chunk))
            continue;
        // The device may have gone and come back: reconnect and try this report once more.
        if (!search() || !writeOneReport(chunk))
            return false;
    }
    return true;
}

void HidPort::startPolling()
{
    m_polling = true;
    updatePolling();
}

void HidPort::stopPolling()
{
    m_polling = false;
    updatePolling();
}

void HidPort::updatePolling()
{
    const bool wanted = m_polling && !(m_device && m_deviceWakes);
    if (!wanted)
        m_poll->stop();
    else if (!m_poll->isActive())
        m_poll->start();
}

void HidPort::pollTick()
{
    if (!m_device) {
        search();
        return;
    }
    drain();
}

void HidPort::drain()
{
    std::vector<std::uint8_t> buffer(std::max<std::size_t>(m_inputLength, 2));
    while (m_device) {
        const int count = m_device->readReport(buffer, 0);
        if (count < 0) { // unplugged: search again
            close();
            break;
        }
        if (count == 0)
            break;
        const std::size_t available = static_cast<std::size_t>(count);
        if (available < 2 || buffer[0] != kInputReportId || buffer[1] == 0)
            continue;
        const std::size_t n = std::min<std::size_t>(buffer[1], available - 2);
        // The age before the time: should the clock tick between the two readings,
        // the report is stamped a little late, never earlier than it came, which
        // would make a reply look older than its request and be dropped as stale.
        const std::int64_t age = m_device->lastReportAgeMs();
        const std::int64_t arrivedAtMs = m_scheduler.nowMs() - age;
        if (m_events.dataArrival)
            m_events.dataArrival(std::span<const std::uint8_t>(buffer.data() + 2, n), arrivedAtMs);
    }
}

} // namespace quorix::link
