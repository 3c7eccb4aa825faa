#include "preset_name.h"

namespace quorix::core {

std::string PresetName(int preset)
{
    return preset >= 0 && preset < kPresetCount ? std::string(kPresetNames[static_cast<std::size_t>(preset)])
                                                : std::to_string(preset);
}

} // namespace quorix::core
