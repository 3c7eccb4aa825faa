#include "frm_eq_controls.h"

#include "core/address_map.h"
#include "core/param_display.h"
#include "core/rounding.h"
#include "core/tag_address.h"

#include <deque>
#include <string>
#include <vector>

namespace quorix::ui {

namespace {

using A = ControlArray;

// Side controls of a page sit in rows of 41 pixels: the label, then the control.
constexpr int Row(int r)
{
    return 15 + 41 * r;
}

// The EQ fader rows are laid out in twips (15 to the pixel at 96 dpi).
int TwipsLeft(int first, int pitch, int n)
{
    return static_cast<int>(core::RoundHalfEven((first + pitch * n) / 15.0));
}

// The scale a parameter is shown with, from the address map's one table of scales.
int ScaleOf(std::string_view tag)
{
    const int address = core::ParseTagAddress(tag);
    const int kind = core::KindOfAddress(address);
    return core::ParamValueType(kind, address - kind * 256);
}

class TableBuilder {
public:
    std::vector<ControlSpec> specs;

    std::string_view text(std::string value) { return m_texts.emplace_back(std::move(value)); }

    // n band faders of a page, bound to consecutive band records.
    void faders(int page, int firstIndex, int count, int firstAddress, int y, int left, int pitch, int style = 0)
    {
        for (int n = 0; n < count; ++n)
            specs.push_back({.array = A::MyScrollBar, .index = firstIndex + n, .page = page,
                             .x = TwipsLeft(left, pitch, n), .y = y,
                             .tag = text("EQ," + std::to_string(page) + "," + std::to_string(firstAddress + n)),
                             .scrollBarType = 1, .valueType = 15, .maxValue = 360, .eqStyle = style});
    }
    // A horizontal slider; hScrollSize 2 plain, 3 with a polarity button, 4 with a wide value box.
    void slider(int page, int index, int x, int y, std::string_view tag, int maxValue, int hScrollSize,
                std::string_view label)
    {
        specs.push_back({.array = A::MyScrollBar, .index = index, .page = page, .x = x, .y = y, .tag = tag,
                         .scrollBarType = 2, .valueType = ScaleOf(tag), .maxValue = maxValue,
                         .hScrollSize = hScrollSize, .label = label});
    }
    // An output level with its mute flag: the short slider coloured by the mute.
    void level(int page, int index, int x, int y, std::string_view tag, std::string_view label, int muteAddress)
    {
        specs.push_back({.array = A::MyScrollBar, .index = index, .page = page, .x = x, .y = y, .tag = tag,
                         .scrollBarType = 6, .valueType = ScaleOf(tag), .maxValue = 80, .label = label,
                         .muteAddress = muteAddress});
    }
    // Bound but never shown: these are edited in the effect window.
    void hidden(int page, int index, std::string_view tag, int maxValue)
    {
        specs.push_back({.array = A::MyScrollBar, .index = index, .page = page, .x = FrmEqGeometry::kOutOfView,
                         .tag = tag, .scrollBarType = 7, .valueType = ScaleOf(tag), .maxValue = maxValue,
                         .tVisible = false});
    }
    void combo(int page, int index, int x, int y, std::string_view tag, int showType, std::string_view feature,
               std::string_view label)
    {
        specs.push_back({.array = A::MyComboBox, .index = index, .kind = ControlKind::ComboBox, .page = page,
                         .x = x, .y = y, .tag = tag, .showType = showType, .specialFeature = feature,
                         .label = label});
    }
    void button(ControlSpec spec)
    {
        spec.kind = ControlKind::Button;
        specs.push_back(spec);
    }

private:
    std::deque<std::string> m_texts;
};

void MusicPage(TableBuilder& t)
{
    t.faders(0, 3, 15, 0, 15, 460, 760, 1);
    t.slider(0, 126, 788, Row(2), "EQF,0,&HF", 143, 2, "高通频点");
}

void MicrophonePage(TableBuilder& t, int page)
{
    const bool first = page == 1;
    const auto tag = [&](const char* address) { return t.text("Group," + std::to_string(page) + "," + address); };
    t.faders(page, first ? 18 : 35, 15, 1, 61, 630, 757);
    t.slider(page, first ? 33 : 34, 200, Row(0), t.text("EQF," + std::to_string(page) + ",0"), 143, 2, "高通频点");
    t.slider(page, first ? 125 : 153, 390, Row(0), tag("&H10"), 400, 2, "启动电平");
    t.slider(page, first ? 127 : 156, 580, Row(0), tag("&H11"), 180, 2, "压缩比例");
    t.slider(page, first ? 124 : 154, 789, Row(1), tag("&H12"), 199, 2, "启动时间");
    t.slider(page, first ? 123 : 155, 789, Row(2), tag("&H13"), 199, 2, "释放时间");
    if (first)
        t.slider(page, 181, 789, Row(3), "EQF,1,&H14", 64, 2, "低通频点");
    else
        t.slider(page, 182, 789, Row(3), "Group,2,&H14", 150, 2, "通道音量");
    for (int i = 0; i < 4; ++i)
        t.button({.array = first ? A::OptionFBX : A::OptionFBX2, .index = i, .page = page, .x = 48 + 22 * i,
                  .y = Row(0) + 6, .images = "218,219", .actionType = 2,
                  .label = t.text("FBX " + std::to_string(i)), .labelDx = i == 0 ? -36 : 100000, .labelDy = 1});
}

void EffectsPage(TableBuilder& t)
{
    // The three thirds share the five EQ slots; LayoutEffectsPage moves the two not shown out of view.
    for (int third = 0; third < 3; ++third)
        t.faders(3, kEffectsFirstEqSlider + 5 * third, 5, third == 0 ? 8 : third == 1 ? 0x1A : 0x1F, 55, 570, 754);
    for (int i = 0; i < 3; ++i)
        t.button({.array = A::Command3, .index = i, .page = 3, .x = 38 + 84 * i, .y = 14,
                  .images = i == 0 ? "289,288" : i == 1 ? "287,286" : "291,290", .actionType = 2,
                  .label = i == 0 ? "回声EQ" : i == 1 ? "混响EQ" : "效果EQ", .labelDx = 100000});
    constexpr int c0 = 290, c1 = 456, c2 = 622, c3 = 788;
    t.slider(3, 143, c0, Row(0), "Group,3,0", 60, 2, "回声预延时");
    t.slider(3, 144, c0, Row(1), "Group,3,1", 260, 2, "回声延时");
    t.slider(3, 146, c0, Row(2), "Group,3,2", 89, 2, "回声次数");
    t.slider(3, 145, c0, Row(3), "Group,3,3", 63, 2, "回声高频阻尼");
    t.slider(3, 148, c0, Row(4), "Group,3,4", 50, 2, "回声右预延时");
    t.slider(3, 147, c1, Row(0), "Group,3,5", 100, 2, "回声右延时");
    t.slider(3, 141, c1, Row(1), "EQF,3,6", 143, 2, "回声低切");
    t.slider(3, 142, c1, Row(2), "EQF,3,7", 63, 2, "回声高切");
    t.slider(3, 177, c1, Row(3), "Group,3,&H26", 150, 2, "回声效果音量");
    t.slider(3, 178, c1, Row(4), "Group,3,&H27", 150, 2, "回声直达音量");
    t.slider(3, 135, c2, Row(0), "EQF,3,&HD", 142, 2, "混响低切");
    t.slider(3, 140, c2, Row(1), "EQF,3,&HE", 63, 2, "混响高切");
    t.slider(3, 139, c2, Row(2), "Group,3,&H10", 80, 2, "混响预延时");
    t.slider(3, 138, c2, Row(3), "Group,3,&H14", 920, 2, "混响时间");
    t.slider(3, 179, c2, Row(4), "Group,3,&H28", 150, 2, "混响效果音量");
    t.combo(3, 5, c3, Row(0), "Group,3,&H2A", 3, "RevSelect", "混响模式");
    t.button({.name = "MBtnFlag2", .page = 3, .x = c3, .y = Row(1), .images = "312,313", .actionType = 1,
              .label = "专业设置", .labelDx = 100000});
    t.slider(3, 180, c3, Row(2), "Group,3,&H29", 150, 2, "混响直达音量");
    t.hidden(3, 128, "Group,3,&HF", 14000);
    t.hidden(3, 136, "Group,3,&H11", 250);
    t.hidden(3, 129, "Group,3,&H12", 14000);
    t.hidden(3, 137, "Group,3,&H13", 250);
    t.hidden(3, 130, "Group,3,&H15", 14000);
    t.hidden(3, 133, "Group,3,&H16", 50);
    t.hidden(3, 134, "Group,3,&H17", 89);
    t.hidden(3, 131, "Group,3,&H18", 80);
    t.hidden(3, 132, "Group,3,&H19", 80);
    t.hidden(3, 173, "Group,3,&H24", 150);
    t.hidden(3, 174, "Group,3,&H25", 150);
}

// Main, surround and centre outputs share one pattern: source levels, the
// channel levels with their mutes, the high-pass filter, the compressor and the delays.
struct OutputPage {
    int page;
    int firstFader, bands, faderLeft;
    int sources[4];           // sliders of 0x00..0x03
    int channels[2];          // sliders of the channel levels (second -1 for one channel)
    int firstMute;
    int highPassSlider, highPassCombo, highPassPoint;
    int compressor[4];        // sliders of the compressor's four parameters
    int delays[2];
    int lastLevel;            // the hidden level at the last address
};

void OutputPageControls(TableBuilder& t, const OutputPage& o)
{
    const int channels = o.channels[1] < 0 ? 1 : 2;
    const auto tag = [&](int address) { return t.text("Group," + std::to_string(o.page) + "," + std::to_string(address)); };
    const int typeAddress = 4 + channels;
    t.faders(o.page, o.firstFader, o.bands, typeAddress + 2, 63, o.faderLeft, 760);
    static constexpr const char* kSourceNames[] = {"音乐音量", "话筒音量", "回声音量", "混响音量"};
    for (int i = 0; i < 4; ++i)
        t.slider(o.page, o.sources[i], i < 3 ? 2 + 180 * i : 548, Row(0), tag(i), 150, 3, kSourceNames[i]);
    static constexpr const char* kChannelNames[] = {"左通道音量", "右通道音量"};
    for (int c = 0; c < channels; ++c) {
        const int mute = o.firstMute + c;
        t.level(o.page, o.channels[c], 548, Row(1 + c), tag(4 + c), channels == 1 ? "中置通道音量" : kChannelNames[c],
                2576 + mute);
        t.button({.array = A::MyMute, .index = mute, .page = o.page, .x = 714, .y = Row(1 + c) + 5,
                  .tag = t.text("&HA1" + std::to_string(mute)), .images = "292,293", .actionType = 0,
                  .label = "静音", .labelDx = 100000});
    }
    const int filterRow = 1 + channels;
    t.slider(o.page, o.highPassSlider, 548, Row(filterRow), tag(typeAddress + 1), 143, 4, "高通频点");
    t.combo(o.page, o.highPassCombo, 548, Row(filterRow + 1) + 4, tag(typeAddress), 1,
            t.text(std::to_string(o.highPassPoint)), "高通类型");
    const int compressor = typeAddress + 2 + o.bands;
    static constexpr const char* kCompressorNames[] = {"启动电平", "压缩比例", "启动时间", "释放时间"};
    static constexpr int kCompressorMaxima[] = {400, 180, 199, 199};
    for (int i = 0; i < 4; ++i)
        t.slider(o.page, o.compressor[i], 740, Row(i), tag(compressor + i),
                 kCompressorMaxima[i], 2, kCompressorNames[i]);
    static constexpr const char* kDelayNames[] = {"左通道延时", "右通道延时"};
    for (int c = 0; c < channels; ++c)
        t.slider(o.page, o.delays[c], 740, Row(4 + c), tag(compressor + 4 + c), 1200, 4,
                 channels == 1 ? "中置通道延时" : kDelayNames[c]);
    t.hidden(o.page, o.lastLevel, tag(compressor + 4 + channels), 150);
}

void SubwooferPage(TableBuilder& t)
{
    t.faders(7, 108, 5, 0x0B, 23, 720, 763, 1);
    t.slider(7, 113, 300, Row(0), "Group,7,0", 150, 3, "音乐音量");
    t.slider(7, 114, 300, Row(1), "Group,7,1", 150, 3, "话筒音量");
    t.hidden(7, 120, "Group,7,2", 150);
    t.level(7, 121, 300, Row(2), "Group,7,3", "超低音音量", 2581);
    t.button({.array = A::MyMute, .index = 5, .page = 7, .x = 466, .y = Row(2) + 5, .tag = "&HA15",
              .images = "292,293", .actionType = 0, .label = "静音", .labelDx = 100000});
    t.slider(7, 122, 300, Row(3), "Group,7,&H14", 1200, 4, "超低音延时");
    t.slider(7, 118, 484, Row(0), "EQF,7,8", 143, 2, "高通频点");
    t.combo(7, 3, 484, Row(1) + 4, "EQT,7,7", 0, "5", "高通类型");
    t.slider(7, 119, 484, Row(2), "EQF,7,&HA", 142, 2, "低通频点");
    t.combo(7, 4, 484, Row(3) + 4, "EQT,7,9", 0, "6", "低通类型");
    t.slider(7, 115, 660, Row(0), "Group,7,&H10", 400, 2, "启动电平");
    t.slider(7, 149, 660, Row(1), "Group,7,&H11", 180, 2, "压缩比例");
    t.slider(7, 116, 660, Row(2), "Group,7,&H12", 199, 2, "启动时间");
    t.slider(7, 117, 660, Row(3), "Group,7,&H13", 199, 2, "释放时间");
    // Two switches whose meaning the processor does not name, the phase and the five control targets.
    struct Switch {
        int index, address, y;
        const char* images;
        const char* label;
    };
    static constexpr Switch kSwitches[] = {
        {0, 4, 8, "378,379", "开关 1"},       {1, 5, 34, "378,379", "开关 2"},
        {2, 6, 60, "380,381", "相位"}, {3, 0x15, 118, "378,379", "音乐通道"},
        {4, 0x16, 144, "378,379", "主输出通道"}, {6, 0x17, 170, "378,379", "辅助通道"},
        {5, 0x18, 196, "378,379", "中置通道"},  {7, 0x19, 222, "378,379", "超低音通道"},
    };
    for (const Switch& s : kSwitches)
        t.button({.array = A::MyBTN, .index = s.index, .page = 7, .x = 846, .y = s.y,
                  .tag = t.text("Group,7," + std::to_string(s.address)), .images = s.images, .actionType = 0,
                  .label = s.label, .labelDx = s.index == 2 ? 60 : 22, .labelDy = s.index == 2 ? 5 : 3});
}

void WindowControls(TableBuilder& t)
{
    static constexpr const char* kMasterNames[] = {"音乐", "话筒", "效果"};
    for (int i = 0; i < 3; ++i) {
        t.button({.array = A::SingleMute, .index = i, .anchor = Anchor::Window, .x = 30 + 216 * i, .y = 8,
                  .images = "292,293", .actionType = 0, .label = t.text(std::string(kMasterNames[i]) + "静音"),
                  .labelDx = 100000});
        t.specs.push_back({.array = A::MyScrollBar, .index = i, .anchor = Anchor::Window, .x = 54 + 216 * i, .y = 3,
                           .tag = t.text("Common,10," + std::to_string(i)), .scrollBarType = 6,
                           .valueType = ScaleOf("Common,10," + std::to_string(i)),
                           .maxValue = 80, .label = kMasterNames[i], .labelDx = -48, .labelDy = 7,
                           .muteAddress = 2593 + i});
    }
    const auto named = [&](std::string_view name, Anchor anchor, int x, int y, std::string_view images, int action,
                           std::string_view label) {
        t.button({.name = name, .anchor = anchor, .x = x, .y = y, .images = images, .actionType = action,
                  .label = label, .labelDx = 100000});
    };
    named("ToneSub", Anchor::Window, 654, 4, "262,263", 1, "降调");
    named("ToneLabel", Anchor::Window, 680, 4, "251,252,253,254,255,256,257,258,259,260,261", 2, "音调");
    named("ToneAdd", Anchor::Window, 724, 4, "264,265", 1, "升调");
    for (int i = 0; i < 7; ++i)
        t.button({.array = A::OptionInput, .index = i, .anchor = Anchor::Window, .x = 790 + 18 * i, .y = 8,
                  .images = "218,219,388", .actionType = 2, .label = t.text("输入 " + std::to_string(i + 1)),
                  .labelDx = i == 0 ? -38 : 100000, .labelDy = 1});
    named("cmdMinForm", Anchor::WindowRight, -56, 5, "216,217", 1, "最小化");
    named("cmdExit", Anchor::WindowRight, -29, 5, "208,209", 1, "关闭");

    static constexpr const char* kTabs[] = {"158,159", "160,161", "162,163,385", "164,165",
                                            "166,167", "170,171,386", "168,169", "172,173"};
    static constexpr const char* kPageNames[] = {"音乐", "麦克风", "话筒3", "效果", "主输出", "环绕输出", "中置输出", "超低输出"};
    for (int k = 0; k < 8; ++k)
        t.button({.array = A::CmdPage, .index = k, .anchor = Anchor::Window, .x = 7 + 106 * k, .y = 34,
                  .images = kTabs[k], .actionType = 2, .specialFeature = k == 2 || k == 5 ? "DisabledRefresh" : "",
                  .label = kPageNames[k], .labelDx = 100000});
    t.button({.name = "cmdRecordPage", .anchor = Anchor::Window, .x = 7 + 106 * 8, .y = 34, .images = "174,175,387",
              .actionType = 1, .specialFeature = "DisabledRefresh", .label = "录音输出", .labelDx = 100000});

    named("cmdReset", Anchor::GraphRight, -140, 4, "188,189", 1, "复位");
    named("cmdByPass", Anchor::GraphRight, -72, 4, "190,191", 0, "直通");

    named("cmdConnectStatus", Anchor::Strip, 0, 4, "361,362,359", 2, "连接");
    named("cmdPreShow", Anchor::Strip, 114, 3, "240,241,242,243,244,245,246,247", 2, "当前预置");
    named("cmdLoad", Anchor::Strip, 214, 2, "389,390", 1, "调用");
    named("cmdSaveDevice", Anchor::Strip, 282, 2, "391,392", 1, "保存");
    named("cmdOpen", Anchor::Strip, 350, 2, "395,396", 1, "打开");
    named("cmdSave", Anchor::Strip, 418, 2, "397,398", 1, "另存");
    named("cmdUndo", Anchor::Strip, 486, 2, "194,195", 1, "撤销");
    named("cmdRedo", Anchor::Strip, 554, 2, "192,193", 1, "重做");
    named("cmdOption", Anchor::Strip, 622, 2, "399,400", 1, "设备选项");
    named("cmdModeCopy", Anchor::StripRight, -225, 2, "284,285", 1, "复制模式");
    t.button({.array = A::Named, .index = 0, .name = "cmdBassMode", .anchor = Anchor::StripRight, .x = -154, .y = 2,
              .images = "282,283", .actionType = 2, .label = "演唱", .labelDx = 100000});
    t.button({.array = A::Named, .index = 1, .name = "cmdBassMode", .anchor = Anchor::StripRight, .x = -116, .y = 2,
              .images = "280,281", .actionType = 2, .label = "劲舞", .labelDx = 100000});
    t.button({.array = A::Named, .index = 0, .name = "cmdBassAutoControl2", .anchor = Anchor::StripRight, .x = -78,
              .y = 4, .images = "298,299", .actionType = 2, .label = "手动", .labelDx = 100000});
    t.button({.array = A::Named, .index = 1, .name = "cmdBassAutoControl2", .anchor = Anchor::StripRight, .x = -40,
              .y = 4, .images = "296,297", .actionType = 2, .label = "自动", .labelDx = 100000});
}

std::vector<ControlSpec> BuildTable(TableBuilder& t)
{
    MusicPage(t);
    MicrophonePage(t, 1);
    MicrophonePage(t, 2);
    EffectsPage(t);
    OutputPageControls(t, {.page = 4, .firstFader = 50, .bands = 10, .faderLeft = 460, .sources = {60, 61, 63, 62},
                           .channels = {68, 69}, .firstMute = 0, .highPassSlider = 67, .highPassCombo = 0,
                           .highPassPoint = 10, .compressor = {64, 152, 65, 66}, .delays = {70, 71},
                           .lastLevel = 175});
    OutputPageControls(t, {.page = 5, .firstFader = 72, .bands = 7, .faderLeft = 1570, .sources = {79, 80, 82, 81},
                           .channels = {87, 88}, .firstMute = 2, .highPassSlider = 86, .highPassCombo = 1,
                           .highPassPoint = 7, .compressor = {83, 151, 84, 85}, .delays = {89, 90},
                           .lastLevel = 176});
    OutputPageControls(t, {.page = 6, .firstFader = 91, .bands = 7, .faderLeft = 1570, .sources = {98, 99, 101, 100},
                           .channels = {106, -1}, .firstMute = 4, .highPassSlider = 105, .highPassCombo = 2,
                           .highPassPoint = 7, .compressor = {102, 150, 103, 104}, .delays = {107, -1},
                           .lastLevel = 172});
    SubwooferPage(t);
    WindowControls(t);
    return t.specs;
}

} // namespace

ControlTable FrmEqControls()
{
    static TableBuilder builder;
    static const std::vector<ControlSpec> table = BuildTable(builder);
    return table;
}

int EffectsEqSliderLeft(int slot)
{
    return TwipsLeft(570, 754, slot);
}

} // namespace quorix::ui
