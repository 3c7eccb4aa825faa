#pragma once

#include "link/link_report.h"

#include "core/prompter.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorix::ui {

inline constexpr std::string_view kCaptionOnline = "Quorix_Series - 已联机";
inline constexpr std::string_view kCaptionOffline = "Quorix_Series - 断开";
inline constexpr std::string_view kCaptionOfflineMode = "Quorix_Series - 脱机模式";
inline constexpr std::string_view kLinkLostMessage = "与目标通信连接超时，已断开连接。";
inline constexpr std::string_view kUsbFailureMessage = "操作USB设备失败！";
inline constexpr std::string_view kCountMismatchMessage = "当前返回数据个数与期望的数据个数不符,请检查!";
inline constexpr std::string_view kReadFaultMessage = "从机器读数据时出错！";
inline constexpr std::string_view kWriteFaultMessage = "向机器写入数据时出错！";
inline constexpr std::string_view kWriteCutOffMessage =
    "配置文件未能完整写入设备。设备中的参数已不确定，重新连接后将与界面比较。";
// Followed by how many, then kWritesLostTail.
inline constexpr std::string_view kWritesLostHead = "有 ";
inline constexpr std::string_view kWritesLostTail =
    " 个参数未能写入设备。界面保留了这些修改，重新连接后将在“与设备比较”中列出，可再写入设备。";

// The connection button's images: searching, online, switched off.
enum class ConnectionButton { Searching = 0, Online = 1, Off = 2 };

// What the screen shows for one link report; nothing where the report changes none of it.
struct LinkWords {
    std::optional<ConnectionButton> button{};
    std::optional<std::string_view> caption{};
    std::optional<std::string> message{};
    core::Severity severity = core::Severity::Warning;
};

LinkWords WordLinkReport(const link::LinkReport& report);

} // namespace quorix::ui
