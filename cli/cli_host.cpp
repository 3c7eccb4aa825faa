#include "cli_host.h"

namespace quorix::cli {

namespace {

// What went wrong, in the words of the command line; null for what is no problem.
const char* Problem(link::LinkCode code)
{
    switch (code) {
    case link::LinkCode::Lost:
        return "no answer in time, the link is lost";
    case link::LinkCode::DeviceUnusable:
        return "the USB device could not be used";
    case link::LinkCode::CountMismatch:
        return "a block came back with the wrong number of bytes";
    case link::LinkCode::ReadFault:
    case link::LinkCode::ReadFaultAt:
        return "reading from the processor failed";
    case link::LinkCode::WriteFailed:
        return "writing to the processor failed";
    case link::LinkCode::WriteCutOff:
        return "the configuration was written only in part";
    case link::LinkCode::WritesLost:
        return "parameter writes did not reach the processor";
    default:
        return nullptr;
    }
}

} // namespace

void CliHost::report(const link::LinkReport& report)
{
    switch (report.code) {
    case link::LinkCode::Progress:
        if (report.value > 0)
            m_out << "reading " << report.value << '/' << report.maximum << '\n';
        return;
    case link::LinkCode::Variant:
        m_out << "found the processor (variant " << (report.value != 0 ? '3' : '1') << ")\n";
        return;
    case link::LinkCode::Synchronised:
    case link::LinkCode::SyncFailed:
        m_synchronised = report.code == link::LinkCode::Synchronised;
        return;
    default:
        break;
    }
    if (const char* problem = Problem(report.code)) {
        m_out << "processor: " << problem;
        if (report.code == link::LinkCode::ReadFaultAt)
            m_out << " (preset " << report.values[0] << ", kind " << report.values[1] << ", address "
                  << report.values[2] << ')';
        m_out << '\n';
    }
}

} // namespace quorix::cli
