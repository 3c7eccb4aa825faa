#pragma once

#include <string_view>

namespace quorix::presets {

inline constexpr std::string_view kGuestRefusal = "来宾用户没有保存权限!";
inline constexpr std::string_view kOfflineRefusal = "设备未联机！无法进行该操作。";
inline constexpr std::string_view kStoreDone = "写入完成!";
inline constexpr std::string_view kOverwriteQuestion = "已存在同名称的模式，要覆盖吗？";

} // namespace quorix::presets
