#include "hid_report_reader.h"

#include <algorithm>

namespace quorix::link {

HidReportReader::HidReportReader(Read read, std::size_t reportLength, WakeUp& wakeUp, std::function<void()> readable)
    : m_read(std::move(read)), m_reportLength(reportLength), m_wakeUp(wakeUp),
      m_readable(std::make_shared<std::function<void()>>(std::move(readable))), m_readableSeen(m_readable),
      m_thread([this] { run(); })
{
}

HidReportReader::~HidReportReader()
{
    m_stopping = true;
    m_thread.join();
}

void HidReportReader::run()
{
    std::vector<std::uint8_t> buffer(m_reportLength);
    while (!m_stopping) {
        const int count = m_read(buffer, kReadWaitMs);
        if (count == 0)
            continue;
        std::lock_guard lock(m_mutex);
        // One wake-up per batch: the interface thread takes everything queued when it comes.
        const bool idle = m_reports.empty() && !m_failed;
        if (count < 0)
            m_failed = true;
        else
            m_reports.push_back(
                {{buffer.begin(), buffer.begin() + std::min<std::ptrdiff_t>(count, std::ssize(buffer))}, Clock::now()});
        if (idle)
            wake();
        if (m_failed)
            return;
    }
}

// The wake-up holds only a weak reference: a reader gone by the time it runs wakes nobody.
void HidReportReader::wake()
{
    m_wakeUp.post([readable = m_readableSeen] {
        if (const auto call = readable.lock())
            (*call)();
    });
}

int HidReportReader::take(std::span<std::uint8_t> buffer)
{
    std::lock_guard lock(m_mutex);
    if (m_reports.empty())
        return m_failed ? -1 : 0;
    const Report report = std::move(m_reports.front());
    m_reports.pop_front();
    m_lastTakenAgeMs = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - report.arrived).count();
    const std::size_t n = std::min(buffer.size(), report.bytes.size());
    std::copy_n(report.bytes.begin(), n, buffer.begin());
    return static_cast<int>(n);
}

} // namespace quorix::link
