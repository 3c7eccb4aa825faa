#pragma once

#include <string>

namespace quorix::core {

inline constexpr int kPresetCount = 8;

// The processor preset's name, "KTV" .. "USER5"; the number itself outside 0..7.
std::string PresetName(int preset);

} // namespace quorix::core
