#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quorix::core {

inline constexpr int kPresetCount = 8;

inline constexpr std::array<std::string_view, kPresetCount> kPresetNames = {"KTV",   "PRO",   "SPCH",  "USER1",
                                                                            "USER2", "USER3", "USER4", "USER5"};

// The processor preset's name, "KTV" .. "USER5"; the number itself outside 0..7.
std::string PresetName(int preset);

} // namespace quorix::core
