#include "link_wording.h"

namespace quorix::ui {

LinkWords WordLinkReport(const link::LinkReport& report)
{
    using link::LinkCode;
    switch (report.code) {
    case LinkCode::Online:
        return {ConnectionButton::Online, kCaptionOnline};
    case LinkCode::Lost:
        return {ConnectionButton::Searching, kCaptionOffline, std::string(kLinkLostMessage)};
    case LinkCode::Disconnected:
        return {ConnectionButton::Searching, kCaptionOffline};
    case LinkCode::SwitchedOn:
        return {ConnectionButton::Searching};
    case LinkCode::SwitchedOff:
        return {ConnectionButton::Off};
    case LinkCode::OnlineMode:
        return {ConnectionButton::Searching, kCaptionOffline};
    // The button shows the link switched off, not a search that is not running.
    case LinkCode::OfflineMode:
        return {ConnectionButton::Off, kCaptionOfflineMode};
    case LinkCode::DeviceUnusable:
        return {{}, {}, std::string(kUsbFailureMessage)};
    case LinkCode::CountMismatch:
        return {{}, {}, std::string(kCountMismatchMessage)};
    case LinkCode::ReadFault:
        return {{}, {}, std::string(kReadFaultMessage), core::Severity::Error};
    case LinkCode::ReadFaultAt:
        return {{},
                {},
                std::string(kReadFaultMessage) + "\n错误信息如下: 模式号=" + std::to_string(report.values[0]) +
                    ",菜单种类号=" + std::to_string(report.values[1]) + ",菜单地址=" + std::to_string(report.values[2]),
                core::Severity::Error};
    case LinkCode::WriteFailed:
        return {{}, {}, std::string(kWriteFaultMessage), core::Severity::Error};
    case LinkCode::WriteCutOff:
        return {{}, {}, std::string(kWriteCutOffMessage), core::Severity::Error};
    case LinkCode::WritesLost:
        return {{},
                {},
                std::string(kWritesLostHead) + std::to_string(report.value) + std::string(kWritesLostTail),
                core::Severity::Warning};
    default:
        return {};
    }
}

} // namespace quorix::ui
