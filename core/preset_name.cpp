#include "preset_name.h"

namespace quorix::core {

std::string PresetName(int preset)
{
    static constexpr const char* kNames[kPresetCount] = {"KTV",   "PRO",   "SPCH",  "USER1",
                                                         "USER2", "USER3", "USER4", "USER5"};
    return preset >= 0 && preset < kPresetCount ? kNames[preset] : std::to_string(preset);
}

} // namespace quorix::core
