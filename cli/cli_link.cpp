#include "cli_link.h"

namespace quorix::cli {

CliLink::CliLink(link::HidBackend& backend, core::Scheduler& scheduler, std::ostream* trace, std::ostream& err)
    : m_scheduler(scheduler), m_err(err), m_host(err), m_device(backend, scheduler, context(), m_host, trace, &m_ring)
{}

bool CliLink::connect(std::int64_t searchLimitMs, bool simulator)
{
    m_device.start();
    const auto started = m_scheduler.nowMs();
    while (!m_host.synchronisation()) {
        if (!m_device.online() && !m_device.replyWaitActive() && m_scheduler.nowMs() - started > searchLimitMs) {
            m_err << "no processor answered within " << searchLimitMs / 1000 << " s"
                  << (simulator ? "" : " (is it plugged in, and may this user open its hidraw node?)") << '\n';
            return false;
        }
        m_scheduler.processPendingEvents();
    }
    if (!*m_host.synchronisation()) {
        m_err << "the synchronisation with the processor failed; nothing was written\n";
        return false;
    }
    return true;
}

} // namespace quorix::cli
