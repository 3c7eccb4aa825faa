#include "param_display.h"

#include "address_map.h"
#include "checked_index.h"
#include "number_text.h"
#include "value_scales.h"
#include "value_tables.h"
#include "value_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace quorix::core {

namespace {

using Scales = std::vector<std::pair<int, int>>; // menu address, value type

Scales MicScales(int kind)
{
    return {{0x00, 13}, {0x10, 2}, {0x11, 3}, {0x12, 4}, {0x13, 5}, {0x14, kind == Mic12 ? 6 : 10}};
}

Scales EffectsScales()
{
    Scales s = {{0x00, 0}, {0x01, 0}, {0x02, 7}, {0x03, 6}, {0x04, 0}, {0x05, 8}, {0x06, 13}, {0x07, 6},
                {0x0D, 1}, {0x0E, 6}, {0x0F, 6}, {0x10, 0}, {0x11, 0}, {0x12, 6}, {0x13, 0}, {0x14, 14},
                {0x15, 6}, {0x16, 9}, {0x17, 7}, {0x18, 0}, {0x19, 0}};
    for (int a = 0x24; a <= 0x29; ++a)
        s.emplace_back(a, 10);
    return s;
}

// Main, surround and centre outputs: sources, channel levels, filter type and
// frequency, bands, compressor, delays and a last level.
Scales OutputScales(int bands, int channels)
{
    Scales s = {{0, 10}, {1, 10}, {2, 10}, {3, 10}};
    for (int c = 0; c < channels; ++c)
        s.emplace_back(4 + c, 0);
    const int frequency = 5 + channels;
    s.emplace_back(frequency, 13);
    const int compressor = frequency + 1 + bands;
    s.insert(s.end(), {{compressor, 12}, {compressor + 1, 3}, {compressor + 2, 4}, {compressor + 3, 5}});
    for (int c = 0; c < channels; ++c)
        s.emplace_back(compressor + 4 + c, 11);
    s.emplace_back(compressor + 4 + channels, 10);
    return s;
}

Scales KindScales(int kind)
{
    switch (kind) {
    case MusicInput: return {{0x0F, 13}};
    case Mic12: case Mic34: return MicScales(kind);
    case Effects: return EffectsScales();
    case MainOutput: return OutputScales(10, 2);
    case SurroundOutput: return OutputScales(7, 2);
    case CentreOutput: return OutputScales(7, 1);
    case SubOutput:
        return {{0, 10}, {1, 10}, {2, 10}, {3, 0}, {8, 13}, {0x0A, 1},
                {0x10, 12}, {0x11, 3}, {0x12, 4}, {0x13, 5}, {0x14, 11}};
    case Common: return {{0x00, 0}, {0x01, 0}, {0x02, 0}};
    default: return {};
    }
}

const char* ScaleUnit(int valueType)
{
    switch (valueType) {
    case 2: case 12: case 15: return "dB";
    case 3: return ":1";
    case 4: case 5: case 11: case 14: return "ms";
    default: return "";
    }
}

bool IsFrequencyScale(int valueType)
{
    return valueType == 1 || valueType == 6 || valueType == 13;
}

std::string HertzText(const std::string& hertz)
{
    const double value = ParseNumber(hertz).value_or(0.0);
    if (value < 1000.0)
        return hertz + "Hz";
    return FormatShortest(static_cast<float>(value / 1000.0)) + "KHz";
}

} // namespace

int ParamValueType(int kind, int menuAddress)
{
    CheckIndex("menu kind", kind, 0, kKindCount - 1);
    for (const auto& [address, type] : KindScales(kind))
        if (address == menuAddress)
            return type;
    return -1;
}

std::string ParamValueText(int kind, int menuAddress, std::int32_t raw)
{
    const int type = ParamValueType(kind, menuAddress);
    if (type < 0)
        return std::to_string(raw);
    const float position = std::round(ScaleRawToPosition(type, static_cast<float>(raw)));
    const std::string text = ScaleText(type, static_cast<int>(position));
    if (IsFrequencyScale(type) && text != "OFF")
        return HertzText(text);
    return text + ScaleUnit(type);
}

std::string FrequencyWithUnit(int frequencyIndex)
{
    return HertzText(FrequencyText(frequencyIndex));
}

std::string GainWithUnit(std::int32_t gainCode)
{
    return GainText(gainCode) + "dB";
}

std::string QWithPrefix(int qIndex)
{
    return "Q " + QText(qIndex);
}

std::string ShapeText(std::uint8_t shape)
{
    switch (shape) {
    case 0: return "P";
    case 1: return "LS";
    case 2: return "HS";
    default: return std::to_string(shape);
    }
}

const char* KindName(int kind)
{
    static constexpr std::array<const char*, kKindCount> names = {
        "MusicInput", "Mic12", "Mic34", "Effects", "MainOutput", "SurroundOutput",
        "CentreOutput", "SubOutput", "RecordLeft", "RecordRight", "Common",
    };
    return names[CheckIndex("menu kind", kind, 0, kKindCount - 1)];
}

const char* ModeName(int mode)
{
    static constexpr std::array<const char*, 3> names = {"singing", "dance", "default"};
    return names[CheckIndex("mode index", mode, 0, 2)];
}

} // namespace quorix::core
