#include "address_map.h"

#include "checked_index.h"
#include "value_tables.h"
#include "value_text.h"

#include <array>
#include <span>
#include <string>
#include <vector>

namespace quorix::core {

namespace {

// One row of the address map: a single record, or a run of equaliser bands
// when bandSet is non-zero (then name is the band-name prefix).
struct Row {
    std::string_view name;
    ParamClass cls;
    std::int32_t value;
    float defaultHz; // when non-zero the default is the frequency index of this frequency
    bool perMode;
    int bandSet;
};

Row Plain(std::string_view name, std::int32_t value, bool perMode)
{
    return {name, ParamClass::Plain, value, 0.0f, perMode, 0};
}

Row Freq(std::string_view name, ParamClass cls, float hz, bool perMode)
{
    return {name, cls, 0, hz, perMode, 0};
}

Row FilterType(std::string_view name, ParamClass cls, bool perMode)
{
    return {name, cls, 0, 0.0f, perMode, 0};
}

Row Bands(std::string_view prefix, int bandSet, bool perMode)
{
    return {prefix, ParamClass::EqBand, 0, 0.0f, perMode, bandSet};
}

std::vector<Row> MusicInputRows()
{
    return {Bands("EQ", 15, true), Freq("高通频点", ParamClass::HighPass, 10.0f, true)};
}

std::vector<Row> MicRows(int kind)
{
    std::vector<Row> rows = {
        Freq("高通频点", ParamClass::HighPass, kind == Mic12 ? 45.0f : 80.0f, false),
        Bands("EQ", 15, false),
        Plain("启动电平", 0, false),
        Plain("压缩比例", 40, false),
        Plain("启动时间", 90, false),
        Plain("释放时间", 36, false),
    };
    rows.push_back(kind == Mic12 ? Freq("低通频点", ParamClass::LowPass, 20220.0f, false)
                                 : Plain("通道音量", 100, false));
    return rows;
}

std::vector<Row> EffectsRows()
{
    return {
        Plain("回声预延时", 0, false),
        Plain("回声延时", 220, false),
        Plain("回声次数", 60, false),
        Freq("回声高频阻尼", ParamClass::Plain, 8000.0f, false),
        Plain("回声右预延时", 0, false),
        Plain("回声右延时", 65, false),
        Freq("回声低切", ParamClass::HighPass, 120.0f, false),
        Freq("回声高切", ParamClass::LowPass, 10000.0f, false),
        Bands("回声EQ", 5, false),
        Freq("混响低切", ParamClass::HighPass, 80.0f, false),
        Freq("混响高切", ParamClass::LowPass, 12000.0f, false),
        Freq("混响高频阻尼", ParamClass::Plain, 10000.0f, false),
        Plain("混响预延时", 20, false),
        Plain("早期反射延时", 0, false),
        Freq("早期反射高频阻尼", ParamClass::Plain, 15000.0f, false),
        Plain("后期反射延时", 0, false),
        Plain("混响时间", 500, false),
        Freq("后期反射高频阻尼", ParamClass::Plain, 8000.0f, false),
        Plain("混响空间", 50, false),
        Plain("混响密度", 70, false),
        Plain("早期反射音量", 40, false),
        Plain("后期反射音量", 60, false),
        Bands("混响EQ", 5, false),
        Bands("效果EQ", 5, false),
        Plain("", 100, false),
        Plain("", 100, false),
        Plain("回声效果音量", 100, false),
        Plain("回声直达音量", 100, false),
        Plain("混响效果音量", 100, false),
        Plain("混响直达音量", 100, false),
        Plain("混响模式", 2, false),
    };
}

// Main, surround and centre outputs share one pattern; the centre has one channel.
std::vector<Row> OutputRows(int bandSet, bool centre)
{
    std::vector<Row> rows = {
        Plain("音乐音量", 100, true),
        Plain("话筒音量", 100, true),
        Plain("回声音量", 100, true),
        Plain("混响音量", 100, true),
    };
    if (centre) {
        rows.push_back(Plain("中置通道音量", 80, false));
    } else {
        rows.push_back(Plain("左通道音量", 80, false));
        rows.push_back(Plain("右通道音量", 80, false));
    }
    rows.push_back(FilterType("高通类型", ParamClass::HighPass, true));
    rows.push_back(Freq("高通频点", ParamClass::HighPass, 19.7f, true));
    rows.push_back(Bands("EQ", bandSet, true));
    rows.push_back(Plain("启动电平", 140, false));
    rows.push_back(Plain("压缩比例", 40, false));
    rows.push_back(Plain("启动时间", 90, false));
    rows.push_back(Plain("释放时间", 36, false));
    if (centre) {
        rows.push_back(Plain("中置通道延时", 0, false));
    } else {
        rows.push_back(Plain("左通道延时", 0, false));
        rows.push_back(Plain("右通道延时", 0, false));
    }
    rows.push_back(Plain("", 100, true));
    return rows;
}

std::vector<Row> SubOutputRows()
{
    return {
        Plain("音乐音量", 100, true),
        Plain("话筒音量", 100, true),
        Plain("", 100, true),
        Plain("超低音音量", 30, false),
        Plain("开关 1", 0, false),
        Plain("开关 2", 0, false),
        Plain("相位", 0, false),
        FilterType("高通类型", ParamClass::HighPass, true),
        Freq("高通频点", ParamClass::HighPass, 19.7f, true),
        FilterType("低通类型", ParamClass::LowPass, true),
        Freq("低通频点", ParamClass::LowPass, 320.0f, true),
        Bands("EQ", 51, true),
        Plain("启动电平", 140, false),
        Plain("压缩比例", 40, false),
        Plain("启动时间", 90, false),
        Plain("释放时间", 36, false),
        Plain("超低音延时", 0, false),
        Plain("音乐通道", 1, false),
        Plain("主输出通道", 1, false),
        Plain("辅助通道", 1, false),
        Plain("中置通道", 1, false),
        Plain("超低音通道", 1, false),
    };
}

// The left and right recording mixes: the kind tells them apart.
std::vector<Row> RecordRows()
{
    return {
        Plain("音乐音量 L", 100, false), Plain("音乐音量 R", 100, false),  Plain("麦克风音量", 100, false),
        Plain("回声音量 L", 100, false), Plain("回声音量 R", 100, false),  Plain("混响音量 L", 100, false),
        Plain("混响音量 R", 100, false), Plain("录音输出音量", 80, false), Plain("", 100, false),
    };
}

std::vector<Row> CommonRows()
{
    struct Common {
        std::string_view name;
        std::int32_t value;
    };
    // Named as the windows show them; the page names tell the per-page flags apart.
    static constexpr std::array<Common, 44> kCommon = {{
        {"音乐", 20},
        {"话筒", 23},
        {"效果", 32},
        {"输入", 1}, // 0x00
        {"开机模式", 0},
        {"开机音乐音量", 20},
        {"开机麦克风音量", 33},
        {"开机效果音量", 30}, // 0x04
        {"最大音乐音量", 80},
        {"最大麦克风音量", 80},
        {"最大效果音量", 80},
        {"", 0}, // 0x08
        {"麦克风 FBX", 2},
        {"话筒3 FBX", 2},
        {"自动键盘锁", 0},
        {"", 0}, // 0x0C
        {"主输出左通道静音", 0},
        {"主输出右通道静音", 0},
        {"环绕输出左通道静音", 0}, // 0x10
        {"环绕输出右通道静音", 0},
        {"中置输出静音", 0},
        {"超低输出静音", 0},
        {"音乐直通", 0},
        {"麦克风直通", 0},
        {"话筒3直通", 0},
        {"效果直通", 0}, // 0x16
        {"主输出直通", 0},
        {"环绕输出直通", 0},
        {"中置输出直通", 0},
        {"超低输出直通", 0},
        {"演唱/劲舞", 0},
        {"手动/自动", 0},
        {"权限管理", 0}, // 0x1E
        {"音乐静音", 0},
        {"话筒静音", 0},
        {"效果静音", 0}, // 0x21
        {"", 2},
        {"", 1},
        {"音调", 5},
        {"背光亮度", 2},
        {"音箱设置", 1},
        {"音箱阻抗", 1}, // 0x24
        {"回声EQ直通", 0},
        {"混响EQ直通", 0}, // 0x2A
    }};
    std::vector<Row> rows;
    for (const Common& c : kCommon)
        rows.push_back(Plain(c.name, c.value, false));
    return rows;
}

std::vector<Row> KindRows(int kind)
{
    switch (kind) {
    case MusicInput:
        return MusicInputRows();
    case Mic12:
    case Mic34:
        return MicRows(kind);
    case Effects:
        return EffectsRows();
    case MainOutput:
        return OutputRows(10, false);
    case SurroundOutput:
        return OutputRows(7, false);
    case CentreOutput:
        return OutputRows(7, true);
    case SubOutput:
        return SubOutputRows();
    case RecordLeft:
    case RecordRight:
        return RecordRows();
    default:
        return CommonRows();
    }
}

// Each band set's default centres in Hz.
std::span<const float> BandCentres(int bandSet)
{
    static constexpr float k15[] = {25, 40, 63, 100, 160, 250, 400, 630, 1000, 1600, 2500, 4000, 6300, 10000, 16000};
    static constexpr float k10[] = {32, 64, 125, 250, 500, 1000, 2000, 4000, 8000, 16000};
    static constexpr float k7[] = {57, 134, 400, 1000, 2500, 6300, 16000};
    static constexpr float k5[] = {60, 230, 910, 3000, 14000};
    static constexpr float kLow5[] = {25, 63, 100, 160, 250};
    switch (bandSet) {
    case 15:
        return k15;
    case 10:
        return k10;
    case 7:
        return k7;
    case 5:
        return k5;
    case 51:
        return kLow5;
    default:
        throw IndexError("band set", bandSet, 5, 51);
    }
}

struct AddressMap {
    std::array<std::vector<Row>, kKindCount> rows;
    std::array<std::vector<std::string>, kKindCount> names;
    std::array<int, kKindCount> last{};
};

const AddressMap& Map()
{
    static const AddressMap kMap = [] {
        AddressMap m;
        for (int k = 0; k < kKindCount; ++k) {
            const auto kk = static_cast<std::size_t>(k);
            m.rows[kk] = KindRows(k);
            for (const Row& row : m.rows[kk]) {
                if (row.bandSet == 0) {
                    m.names[kk].emplace_back(row.name);
                    continue;
                }
                for (int b = 1; b <= BandCount(row.bandSet); ++b)
                    m.names[kk].push_back(std::string(row.name) + std::to_string(b));
            }
            m.last[kk] = k * 256 + static_cast<int>(m.names[kk].size()) - 1;
        }
        return m;
    }();
    return kMap;
}

void AddKind(ParamStore& store, int mode, int kind)
{
    int address = KindFirst(kind);
    for (const Row& row : Map().rows[static_cast<std::size_t>(kind)]) {
        if (row.bandSet != 0) {
            AddEqBands(store, mode, address, row.bandSet, row.perMode);
            continue;
        }
        store.at(mode, address).paramClass = row.cls;
        const std::int32_t value = row.defaultHz != 0.0f ? FrequencyToIndex(row.defaultHz) : row.value;
        AddParam(store, mode, address, value, row.perMode);
    }
}

// The music input's singing mode starts with a tuned curve; the dance mode stays flat.
void SetMusicSingingGains(ParamStore& store)
{
    static constexpr std::array<std::array<std::int32_t, 2>, 6> kGains = {{
        {0, 330},
        {2, 350},
        {7, 400},
        {9, 60},
        {11, 320},
        {14, 300},
    }};
    for (const auto& [address, gain] : kGains)
        store.at(0, address).band.gain = gain;
}

} // namespace

int KindFirst(int kind)
{
    CheckIndex("menu kind", kind, 0, kKindCount - 1);
    return kind * 256;
}

int KindLast(int kind)
{
    return Map().last[CheckIndex("menu kind", kind, 0, kKindCount - 1)];
}

bool IsSkippedKind(int kind)
{
    CheckIndex("menu kind", kind, 0, kKindCount - 1);
    return kind == Mic34 || kind == SurroundOutput || kind == CentreOutput || kind == RecordRight;
}

int KindOfAddress(int address)
{
    const int kind = address / 256;
    if (address < 0 || kind >= kKindCount || address > KindLast(kind))
        return -1;
    return kind;
}

std::string_view ParamName(int kind, int menuAddress)
{
    const auto& names = Map().names[CheckIndex("menu kind", kind, 0, kKindCount - 1)];
    return names[CheckIndex("menu address", menuAddress, 0, static_cast<long long>(names.size()) - 1)];
}

int BandCount(int bandSet)
{
    return bandSet == 51 ? 5 : bandSet;
}

void AddParam(ParamStore& store, int mode, int& address, std::int32_t value, bool perMode)
{
    ParamRecord& r = store.at(mode, address);
    r.value = value;
    r.defined = true;
    r.perMode = perMode;
    ++address;
}

void AddEqBands(ParamStore& store, int mode, int& address, int bandSet, bool perMode)
{
    const int peakingQ = QToIndex(1.0f);
    const int shelfQ = QToIndex(0.71f);
    for (float centre : BandCentres(bandSet)) {
        ParamRecord& r = store.at(mode, address);
        r = ParamRecord{};
        r.paramClass = ParamClass::EqBand;
        r.band.freqIndex = FrequencyToIndex(centre);
        r.band.gain = kGainZero;
        r.band.qIndex = peakingQ;
        r.band.shelfQIndex = shelfQ;
        r.defined = true;
        r.perMode = perMode;
        ++address;
    }
}

void InitParamStore(ParamStore& store, ParamStore& image)
{
    store.clear();
    for (int mode = 0; mode < kModeCount; ++mode) {
        for (int kind = MusicInput; kind <= SubOutput; ++kind) {
            AddKind(store, mode, kind);
            if (kind == MusicInput)
                SetMusicSingingGains(store);
        }
    }
    for (int kind = RecordLeft; kind <= Common; ++kind)
        AddKind(store, 0, kind);

    image.clear();
    for (int a = 0; a < kAddressCount; ++a) {
        image.at(0, a) = store.at(0, a);
        image.at(1, a) = store.at(1, a);
    }
}

const ParamStore& DefaultParamStore()
{
    static const ParamStore kDefaults = [] {
        ParamStore store;
        ParamStore image;
        InitParamStore(store, image);
        return store;
    }();
    return kDefaults;
}

} // namespace quorix::core
