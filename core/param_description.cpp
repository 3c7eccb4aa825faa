#include "param_description.h"

#include "address_map.h"
#include "common_addresses.h"
#include "rounding.h"
#include "value_scales.h"

#include <array>
#include <utility>
#include <vector>

namespace quorix::core {

namespace {

using Entries = std::vector<std::pair<int, ParamDescription>>; // menu address, description

constexpr ParamDescription Scaled(int scale, int positions, bool polarity = false)
{
    return {.kind = ParamKind::Scaled, .scale = scale, .positions = positions, .polarity = polarity};
}

constexpr ParamDescription List(int list)
{
    return {.kind = ParamKind::List, .list = list};
}

// Levels in percent: 0..100 by one, then to 300 by two.
constexpr ParamDescription kLevel = Scaled(10, 150);
constexpr ParamDescription kInvertibleLevel = Scaled(10, 150, true);
constexpr ParamDescription kPlainLevel = Scaled(0, 80);
constexpr ParamDescription kFilterFrequency = Scaled(13, 143); // 0 OFF, else the frequency index
constexpr ParamDescription kReverbDamping = Scaled(6, 63);     // 20220 Hz reads OFF

// The compressor's threshold, ratio, attack and release.
constexpr std::array<ParamDescription, 4> kCompressor = {Scaled(12, 400), Scaled(3, 180), Scaled(4, 199),
                                                         Scaled(5, 199)};

void AddCompressor(Entries& e, int first)
{
    for (int i = 0; i < 4; ++i)
        e.emplace_back(first + i, kCompressor[static_cast<std::size_t>(i)]);
}

Entries MicEntries(int kind)
{
    Entries e = {{0x00, kFilterFrequency},
                 {0x10, Scaled(2, 400)},
                 {0x11, Scaled(3, 180)},
                 {0x12, Scaled(4, 199)},
                 {0x13, Scaled(5, 199)}};
    e.emplace_back(0x14, kind == Mic12 ? Scaled(6, 64) : kLevel);
    return e;
}

Entries EffectsEntries()
{
    Entries e = {
        {0x00, Scaled(0, 60)},  {0x01, Scaled(0, 260)}, {0x02, Scaled(7, 89)},    {0x03, kReverbDamping},
        {0x04, Scaled(0, 50)},  {0x05, Scaled(8, 100)}, {0x06, kFilterFrequency}, {0x07, kReverbDamping},
        {0x0D, Scaled(1, 142)}, {0x0E, kReverbDamping}, {0x0F, kReverbDamping},   {0x10, Scaled(0, 80)},
        {0x11, Scaled(0, 250)}, {0x12, kReverbDamping}, {0x13, Scaled(0, 250)},   {0x14, Scaled(14, 920)},
        {0x15, kReverbDamping}, {0x16, Scaled(9, 50)},  {0x17, Scaled(7, 89)},    {0x18, Scaled(0, 80)},
        {0x19, Scaled(0, 80)},  {0x2A, List(3)},
    };
    for (int a = 0x24; a <= 0x29; ++a)
        e.emplace_back(a, kLevel);
    return e;
}

// Main, surround and centre outputs: sources, channel levels, filter type and
// frequency, bands, compressor, delays and a last level.
Entries OutputEntries(int bands, int channels)
{
    Entries e;
    for (int source = 0; source < 4; ++source)
        e.emplace_back(source, kInvertibleLevel);
    for (int c = 0; c < channels; ++c)
        e.emplace_back(4 + c, kPlainLevel);
    const int filterType = 4 + channels;
    e.emplace_back(filterType, List(1));
    e.emplace_back(filterType + 1, kFilterFrequency);
    const int compressor = filterType + 2 + bands;
    AddCompressor(e, compressor);
    for (int c = 0; c < channels; ++c)
        e.emplace_back(compressor + 4 + c, Scaled(11, 1200));
    e.emplace_back(compressor + 4 + channels, kLevel);
    return e;
}

Entries SubOutputEntries()
{
    Entries e = {{0x00, kInvertibleLevel}, {0x01, kInvertibleLevel}, {0x02, kLevel},
                 {0x03, kPlainLevel},      {0x07, List(0)},          {0x08, kFilterFrequency},
                 {0x09, List(0)},          {0x0A, Scaled(1, 142)},   {0x14, Scaled(11, 1200)}};
    AddCompressor(e, 0x10);
    return e;
}

Entries RecordEntries()
{
    Entries e;
    for (int source = 0; source < 7; ++source)
        e.emplace_back(source, kInvertibleLevel);
    e.emplace_back(7, kPlainLevel);
    e.emplace_back(8, kInvertibleLevel);
    return e;
}

Entries CommonEntries()
{
    Entries e = {{kPowerOnPreset - kCommonBase, List(2)},
                 {kBacklight - kCommonBase, List(8)},
                 {kSpeakerModel - kCommonBase, List(9)},
                 {kSpeakerImpedance - kCommonBase, List(11)}};
    for (int base : {kMasterLevels, kPowerOnLevels, kMaximumLevels})
        for (int i = 0; i < 3; ++i)
            e.emplace_back(base + i - kCommonBase, kPlainLevel);
    return e;
}

Entries KindEntries(int kind)
{
    switch (kind) {
    case MusicInput:
        return {{0x0F, kFilterFrequency}};
    case Mic12:
    case Mic34:
        return MicEntries(kind);
    case Effects:
        return EffectsEntries();
    case MainOutput:
        return OutputEntries(10, 2);
    case SurroundOutput:
        return OutputEntries(7, 2);
    case CentreOutput:
        return OutputEntries(7, 1);
    case SubOutput:
        return SubOutputEntries();
    case RecordLeft:
    case RecordRight:
        return RecordEntries();
    default:
        return CommonEntries();
    }
}

using Descriptions = std::array<ParamDescription, kAddressCount>;

Descriptions Build()
{
    Descriptions d{};
    const ParamStore& layout = DefaultParamStore();
    for (int a = 0; a < kAddressCount; ++a)
        if (layout.at(0, a).paramClass == ParamClass::EqBand)
            d[static_cast<std::size_t>(a)].kind = ParamKind::Band;
    for (int kind = 0; kind < kKindCount; ++kind)
        for (const auto& [menuAddress, description] : KindEntries(kind))
            d[static_cast<std::size_t>(FlatAddress(kind, menuAddress))] = description;
    return d;
}

} // namespace

const ParamDescription& DescribeParam(int address)
{
    static const Descriptions kDescriptions = Build();
    static constexpr ParamDescription kNumber{};
    return address >= 0 && address < kAddressCount ? kDescriptions[static_cast<std::size_t>(address)] : kNumber;
}

ScaledValue ScaledPosition(const ParamDescription& description, std::int32_t raw)
{
    float value = static_cast<float>(raw);
    bool inverted = false;
    if (description.polarity) {
        const PolaritySplit split = SplitPolarity(value);
        value = split.raw;
        inverted = split.inverted;
    }
    return {RoundHalfEven(ScaleRawToPosition(description.scale, value)), inverted};
}

} // namespace quorix::core
