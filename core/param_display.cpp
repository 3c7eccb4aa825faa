#include "param_display.h"

#include "address_map.h"
#include "checked_index.h"
#include "number_text.h"
#include "param_description.h"
#include "value_scales.h"
#include "value_tables.h"
#include "value_text.h"

#include <array>

namespace quorix::core {

namespace {

const char* ScaleUnit(int valueType)
{
    switch (valueType) {
    case 2:
    case 12:
    case 15:
        return "dB";
    case 3:
        return ":1";
    case 4:
    case 5:
    case 11:
    case 14:
        return "ms";
    default:
        return "";
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

std::string ParamValueText(int kind, int menuAddress, std::int32_t raw)
{
    const ParamDescription& description = DescribeParam(FlatAddress(kind, menuAddress));
    if (description.kind != ParamKind::Scaled)
        return std::to_string(raw);
    const ScaledValue value = ScaledPosition(description, raw);
    std::string text = ScaleText(description.scale, value.position);
    if (IsFrequencyScale(description.scale) && text != "OFF")
        text = HertzText(text);
    else
        text += ScaleUnit(description.scale);
    return value.inverted ? text + " inverted" : text;
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
    case 0:
        return "P";
    case 1:
        return "LS";
    case 2:
        return "HS";
    default:
        return std::to_string(shape);
    }
}

const char* KindName(int kind)
{
    static constexpr std::array<const char*, kKindCount> kNames = {
        "MusicInput",   "Mic12",     "Mic34",      "Effects",     "MainOutput", "SurroundOutput",
        "CentreOutput", "SubOutput", "RecordLeft", "RecordRight", "Common",
    };
    return kNames[CheckIndex("menu kind", kind, 0, kKindCount - 1)];
}

const char* ModeName(int mode)
{
    static constexpr std::array<const char*, 3> kNames = {"singing", "dance", "default"};
    return kNames[CheckIndex("mode index", mode, 0, 2)];
}

} // namespace quorix::core
