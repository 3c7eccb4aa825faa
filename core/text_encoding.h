#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorix::core {

// UTF-8 text in the processor's code page (GBK): ASCII as one byte, a Chinese
// character as two, high byte first. A character GBK cannot hold becomes '?'.
std::vector<std::uint8_t> TextToAnsiBytes(std::string_view utf8);
// GBK bytes as UTF-8 text; a byte pair that is no GBK character becomes '?'.
std::string AnsiBytesToText(std::span<const std::uint8_t> gbk);

} // namespace quorix::core
