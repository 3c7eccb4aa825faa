#pragma once

namespace quorix::cli {

// "KTV", "PRO", "SPCH", "USER1" .. "USER5" for presets 0..7, "?" for any other.
inline const char* PresetName(int preset)
{
    static constexpr const char* names[] = {"KTV", "PRO", "SPCH", "USER1", "USER2", "USER3", "USER4", "USER5"};
    return preset >= 0 && preset < 8 ? names[preset] : "?";
}

} // namespace quorix::cli
