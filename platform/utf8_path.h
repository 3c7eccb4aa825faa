#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorix::platform {

// Paths and UTF-8 text. A path built from a plain std::string takes the
// system's narrow code page on Windows (not UTF-8), so texts cross here.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

} // namespace quorix::platform
