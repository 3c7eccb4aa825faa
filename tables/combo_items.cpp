#include "combo_items.h"

#include "core/preset_name.h"

#include <algorithm>
#include <array>

namespace quorix::tables {

namespace {

using Items = std::span<const std::string_view>;

constexpr std::string_view kFilterTypes[] = {"LinkWitz 48dB", "LinkWitz 24dB", "ButterWorth 12dB", "Bessel 24dB",
                                             "Bessel 12dB"};
constexpr std::string_view kButterworth[] = {"ButterWorth 12dB", "ButterWorth 24dB"};
// "AUTO", then the presets by their names.
constexpr auto kPresets = [] {
    std::array<std::string_view, core::kPresetCount + 1> items{"AUTO"};
    std::copy(core::kPresetNames.begin(), core::kPresetNames.end(), items.begin() + 1);
    return items;
}();
constexpr std::string_view kRooms[] = {"用户定义", "房间", "小厅", "大厅", "人声"};
constexpr std::string_view kAutoManual[] = {"自动", "手动"};
constexpr std::string_view kSteps[] = {"关", "1", "2", "3"};
constexpr std::string_view kTrims[] = {"-6dB", "-3dB", "0dB", "+3dB"};
constexpr std::string_view kPrograms[] = {"POP", "PRO", "STE", "P01", "P02", "P03", "P04", "P05", "P06", "P07"};
constexpr std::string_view kThree[] = {"1", "2", "3"};
// Loudspeaker models offered by the startup settings; the second list repeats two of the first.
constexpr std::string_view kSpeakersA[] = {"空", "KA-110", "KA-112", "KA-115", "MV-8", "MV-10"};
constexpr std::string_view kSpeakersB[] = {"空",    "KA-112", "MV-10", "CS-6", "CS-8", "PX-12",
                                           "PX-15", "SB-18",  "SB-21", "TH-5", "TH-8"};
constexpr std::string_view kImpedances[] = {"4欧", "8欧"};

constexpr std::array<Items, 12> kLists = {kFilterTypes, kButterworth, kPresets, kRooms,     kAutoManual, kSteps,
                                          kTrims,       kPrograms,    kThree,   kSpeakersA, kSpeakersB,  kImpedances};

} // namespace

std::span<const std::string_view> ComboItems(int showType)
{
    // Any other ShowType is the last list, as the control has always had it.
    return showType >= 0 && showType < static_cast<int>(kLists.size()) ? kLists[static_cast<std::size_t>(showType)]
                                                                       : kImpedances;
}

bool ComboCountsFromOne(int showType)
{
    return showType == 8;
}

std::string_view ComboText(int showType, int value)
{
    const Items items = ComboItems(showType);
    const int index = ComboCountsFromOne(showType) ? value - 1 : value;
    return items[static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(items.size()) - 1))];
}

} // namespace quorix::tables
