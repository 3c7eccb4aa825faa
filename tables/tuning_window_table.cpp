#include "tuning_window_table.h"

#include "core/address_map.h"
#include "core/common_addresses.h"
#include "core/rounding.h"

#include <vector>

namespace quorix::tables {

namespace {

using A = ControlArray;
using core::FlatAddress;

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

constexpr int kMuteImages[] = {292, 293};
constexpr int kOptionImages[] = {218, 219};
constexpr int kInputImages[] = {218, 219, 388};
constexpr int kSwitchImages[] = {378, 379};
constexpr int kPhaseImages[] = {380, 381};
constexpr int kEffectWindowImages[] = {312, 313};
constexpr int kEchoEqImages[] = {289, 288};
constexpr int kReverbEqImages[] = {287, 286};
constexpr int kEffectEqImages[] = {291, 290};
constexpr std::span<const int> kThirdImages[] = {kEchoEqImages, kReverbEqImages, kEffectEqImages};
constexpr int kToneSubImages[] = {262, 263};
constexpr int kToneImages[] = {251, 252, 253, 254, 255, 256, 257, 258, 259, 260, 261};
constexpr int kToneAddImages[] = {264, 265};
constexpr int kMinimiseImages[] = {216, 217};
constexpr int kExitImages[] = {208, 209};
constexpr int kMusicTab[] = {158, 159};
constexpr int kMicrophoneTab[] = {160, 161};
constexpr int kMicrophone34Tab[] = {162, 163, 385};
constexpr int kEffectsTab[] = {164, 165};
constexpr int kMainTab[] = {166, 167};
constexpr int kSurroundTab[] = {170, 171, 386};
constexpr int kCentreTab[] = {168, 169};
constexpr int kSubwooferTab[] = {172, 173};
constexpr std::span<const int> kTabImages[] = {kMusicTab, kMicrophoneTab, kMicrophone34Tab, kEffectsTab,
                                               kMainTab,  kSurroundTab,   kCentreTab,       kSubwooferTab};
constexpr int kRecordingTab[] = {174, 175, 387};
constexpr int kResetImages[] = {188, 189};
constexpr int kBypassImages[] = {190, 191};
constexpr int kConnectionImages[] = {361, 362, 359};
constexpr int kPresetImages[] = {240, 241, 242, 243, 244, 245, 246, 247};
constexpr int kRecallImages[] = {389, 390};
constexpr int kStoreImages[] = {391, 392};
constexpr int kOpenImages[] = {395, 396};
constexpr int kSaveImages[] = {397, 398};
constexpr int kUndoImages[] = {194, 195};
constexpr int kRedoImages[] = {192, 193};
constexpr int kOptionsImages[] = {399, 400};
constexpr int kModeCopyImages[] = {284, 285};
constexpr int kSingingImages[] = {282, 283};
constexpr int kDanceImages[] = {280, 281};
constexpr int kManualImages[] = {298, 299};
constexpr int kAutomaticImages[] = {296, 297};

constexpr std::string_view kFbxLabels[] = {"FBX 0", "FBX 1", "FBX 2", "FBX 3"};
constexpr std::string_view kInputLabels[] = {"输入 1", "输入 2", "输入 3", "输入 4", "输入 5", "输入 6", "输入 7"};

struct TableBuilder {
    std::vector<ControlRow> rows;

    // n band faders of a page, bound to consecutive band records.
    void faders(int page, int firstIndex, int count, int firstMenuAddress, int y, int left, int pitch, int style = 0)
    {
        for (int n = 0; n < count; ++n)
            rows.push_back({.array = A::MyScrollBar,
                            .index = firstIndex + n,
                            .page = page,
                            .x = TwipsLeft(left, pitch, n),
                            .y = y,
                            .address = FlatAddress(page, firstMenuAddress + n),
                            .scrollBarType = 1,
                            .eqStyle = style,
                            .labelDx = 100000});
    }
    // A horizontal slider; hScrollSize 2 plain, 3 with a polarity button, 4 with a wide value box.
    void slider(int page, int index, int x, int y, int address, int hScrollSize)
    {
        rows.push_back({.array = A::MyScrollBar,
                        .index = index,
                        .page = page,
                        .x = x,
                        .y = y,
                        .address = address,
                        .scrollBarType = 2,
                        .hScrollSize = hScrollSize});
    }
    // An output level with its mute flag: the short slider coloured by the mute.
    void level(int page, int index, int x, int y, int address, int muteAddress)
    {
        rows.push_back({.array = A::MyScrollBar,
                        .index = index,
                        .page = page,
                        .x = x,
                        .y = y,
                        .address = address,
                        .scrollBarType = 6,
                        .muteAddress = muteAddress});
    }
    // Bound but never shown: these are edited in the effect window.
    void hidden(int page, int index, int address)
    {
        rows.push_back({.array = A::MyScrollBar,
                        .index = index,
                        .page = page,
                        .x = TuningWindowGeometry::kOutOfView,
                        .address = address,
                        .scrollBarType = 7,
                        .thumbVisible = false});
    }
    // A filter-type drop-down, drawn as graph point `point`.
    void filterType(int page, int index, int x, int y, int address, int point)
    {
        rows.push_back({.array = A::MyComboBox,
                        .index = index,
                        .kind = ControlKind::ComboBox,
                        .page = page,
                        .x = x,
                        .y = y,
                        .address = address,
                        .action = Action::FilterType,
                        .filterPoint = point});
    }
    void outputMute(int page, int mute, int x, int y)
    {
        button({.array = A::MyMute,
                .index = mute,
                .page = page,
                .x = x,
                .y = y,
                .address = core::kOutputMutes + mute,
                .action = Action::OutputMute,
                .images = kMuteImages,
                .actionType = 0,
                .labelDx = 100000});
    }
    // A button outside the arrays, labelled only for its accessible name.
    void named(std::string_view name, Anchor anchor, int x, int y, Action action, std::span<const int> images,
               int actionType, std::string_view label)
    {
        button({.name = name,
                .anchor = anchor,
                .x = x,
                .y = y,
                .action = action,
                .images = images,
                .actionType = actionType,
                .label = label,
                .labelDx = 100000});
    }
    void button(ControlRow row)
    {
        row.kind = ControlKind::Button;
        rows.push_back(row);
    }
};

void MusicPage(TableBuilder& t)
{
    t.faders(0, 3, 15, 0, 15, 460, 760, 1);
    t.slider(0, 126, 788, Row(2), FlatAddress(0, 0x0F), 2);
}

void MicrophonePage(TableBuilder& t, int page)
{
    const bool first = page == 1;
    const auto at = [page](int menuAddress) { return FlatAddress(page, menuAddress); };
    t.faders(page, first ? 18 : 35, 15, 1, 61, 630, 757);
    t.slider(page, first ? 33 : 34, 200, Row(0), at(0x00), 2);
    t.slider(page, first ? 125 : 153, 390, Row(0), at(0x10), 2);
    t.slider(page, first ? 127 : 156, 580, Row(0), at(0x11), 2);
    t.slider(page, first ? 124 : 154, 789, Row(1), at(0x12), 2);
    t.slider(page, first ? 123 : 155, 789, Row(2), at(0x13), 2);
    if (first)
        t.slider(page, 181, 789, Row(3), at(0x14), 2);
    else
        t.slider(page, 182, 789, Row(3), at(0x14), 2);
    for (int i = 0; i < 4; ++i)
        t.button({.array = first ? A::OptionFBX : A::OptionFBX2,
                  .index = i,
                  .page = page,
                  .x = 48 + 22 * i,
                  .y = Row(0) + 6,
                  .address = first ? core::kFeedbackMic12 : core::kFeedbackMic34,
                  .action = Action::ChooseOption,
                  .images = kOptionImages,
                  .actionType = 2,
                  .label = kFbxLabels[i],
                  .labelDx = i == 0 ? -36 : 100000,
                  .labelDy = 1});
}

void EffectsPage(TableBuilder& t)
{
    const auto at = [](int menuAddress) { return FlatAddress(core::Effects, menuAddress); };
    // The three thirds share the five EQ slots; LayoutEffectsPage moves the two not shown out of view.
    for (int third = 0; third < 3; ++third)
        t.faders(3, kEffectsFirstEqSlider + 5 * third, 5, third == 0 ? 8 : third == 1 ? 0x1A : 0x1F, 55, 570, 754);
    static constexpr std::string_view kThirdNames[] = {"回声EQ", "混响EQ", "效果EQ"};
    for (int i = 0; i < 3; ++i)
        t.button({.array = A::Command3,
                  .index = i,
                  .page = 3,
                  .x = 38 + 84 * i,
                  .y = 14,
                  .action = Action::ShowEffectsThird,
                  .images = kThirdImages[i],
                  .actionType = 2,
                  .label = kThirdNames[i],
                  .labelDx = 100000});
    constexpr int kC0 = 290, kC1 = 456, kC2 = 622, kC3 = 788;
    t.slider(3, 143, kC0, Row(0), at(0x00), 2);
    t.slider(3, 144, kC0, Row(1), at(0x01), 2);
    t.slider(3, 146, kC0, Row(2), at(0x02), 2);
    t.slider(3, 145, kC0, Row(3), at(0x03), 2);
    t.slider(3, 148, kC0, Row(4), at(0x04), 2);
    t.slider(3, 147, kC1, Row(0), at(0x05), 2);
    t.slider(3, 141, kC1, Row(1), at(0x06), 2);
    t.slider(3, 142, kC1, Row(2), at(0x07), 2);
    t.slider(3, 177, kC1, Row(3), at(0x26), 2);
    t.slider(3, 178, kC1, Row(4), at(0x27), 2);
    t.slider(3, 135, kC2, Row(0), at(0x0D), 2);
    t.slider(3, 140, kC2, Row(1), at(0x0E), 2);
    t.slider(3, 139, kC2, Row(2), at(0x10), 2);
    t.slider(3, 138, kC2, Row(3), at(0x14), 2);
    t.slider(3, 179, kC2, Row(4), at(0x28), 2);
    t.rows.push_back({.array = A::MyComboBox,
                      .index = 5,
                      .kind = ControlKind::ComboBox,
                      .page = 3,
                      .x = kC3,
                      .y = Row(0),
                      .address = at(0x2A),
                      .action = Action::ReverbMode});
    // Clear of the reverb high-cut value box to its left, whose five digits reach the column edge.
    t.button({.name = "MBtnFlag2",
              .page = 3,
              .x = kC3 + 8,
              .y = Row(1),
              .action = Action::ShowEffectWindow,
              .images = kEffectWindowImages,
              .actionType = 1,
              .label = "专业设置",
              .labelDx = 100000});
    t.slider(3, 180, kC3, Row(2), at(0x29), 2);
    t.hidden(3, 128, at(0x0F));
    t.hidden(3, 136, at(0x11));
    t.hidden(3, 129, at(0x12));
    t.hidden(3, 137, at(0x13));
    t.hidden(3, 130, at(0x15));
    t.hidden(3, 133, at(0x16));
    t.hidden(3, 134, at(0x17));
    t.hidden(3, 131, at(0x18));
    t.hidden(3, 132, at(0x19));
    t.hidden(3, 173, at(0x24));
    t.hidden(3, 174, at(0x25));
}

// Main, surround and centre outputs share one pattern: source levels, the
// channel levels with their mutes, the high-pass filter, the compressor and the delays.
struct OutputPage {
    int page;
    int firstFader, bands, faderLeft;
    int sources[4];  // sliders of 0x00..0x03
    int channels[2]; // sliders of the channel levels (second -1 for one channel)
    int firstMute;
    int highPassSlider, highPassCombo, highPassPoint;
    int compressor[4]; // sliders of the compressor's four parameters
    int delays[2];
    int lastLevel; // the hidden level at the last address
};

void OutputPageControls(TableBuilder& t, const OutputPage& o)
{
    const int channels = o.channels[1] < 0 ? 1 : 2;
    const auto at = [&o](int menuAddress) { return FlatAddress(o.page, menuAddress); };
    const int typeAddress = 4 + channels;
    t.faders(o.page, o.firstFader, o.bands, typeAddress + 2, 63, o.faderLeft, 760);
    for (int i = 0; i < 4; ++i)
        t.slider(o.page, o.sources[i], i < 3 ? 2 + 180 * i : 548, Row(0), at(i), 3);
    for (int c = 0; c < channels; ++c) {
        const int mute = o.firstMute + c;
        t.level(o.page, o.channels[c], 548, Row(1 + c), at(4 + c), core::kOutputMutes + mute);
        t.outputMute(o.page, mute, 714, Row(1 + c) + 5);
    }
    const int filterRow = 1 + channels;
    t.slider(o.page, o.highPassSlider, 548, Row(filterRow), at(typeAddress + 1), 4);
    t.filterType(o.page, o.highPassCombo, 548, Row(filterRow + 1) + 4, at(typeAddress), o.highPassPoint);
    const int compressor = typeAddress + 2 + o.bands;
    for (int i = 0; i < 4; ++i)
        t.slider(o.page, o.compressor[i], 740, Row(i), at(compressor + i), 2);
    for (int c = 0; c < channels; ++c)
        t.slider(o.page, o.delays[c], 740, Row(4 + c), at(compressor + 4 + c), 4);
    t.hidden(o.page, o.lastLevel, at(compressor + 4 + channels));
}

void SubwooferPage(TableBuilder& t)
{
    const auto at = [](int menuAddress) { return FlatAddress(core::SubOutput, menuAddress); };
    t.faders(7, 108, 5, 0x0B, 23, 720, 763, 1);
    t.slider(7, 113, 300, Row(0), at(0x00), 3);
    t.slider(7, 114, 300, Row(1), at(0x01), 3);
    t.hidden(7, 120, at(0x02));
    t.level(7, 121, 300, Row(2), at(0x03), core::kOutputMutes + 5);
    t.outputMute(7, 5, 466, Row(2) + 5);
    t.slider(7, 122, 300, Row(3), at(0x14), 4);
    t.slider(7, 118, 484, Row(0), at(0x08), 2);
    t.filterType(7, 3, 484, Row(1) + 4, at(0x07), 5);
    t.slider(7, 119, 484, Row(2), at(0x0A), 2);
    t.filterType(7, 4, 484, Row(3) + 4, at(0x09), 6);
    t.slider(7, 115, 660, Row(0), at(0x10), 2);
    t.slider(7, 149, 660, Row(1), at(0x11), 2);
    t.slider(7, 116, 660, Row(2), at(0x12), 2);
    t.slider(7, 117, 660, Row(3), at(0x13), 2);
    // Two switches whose meaning the processor does not name, the phase and the five control targets.
    struct Switch {
        int index, menuAddress, y;
        std::span<const int> images;
    };
    static constexpr Switch kSwitches[] = {
        {0, 0x04, 8, kSwitchImages},   {1, 0x05, 34, kSwitchImages},  {2, 0x06, 60, kPhaseImages},
        {3, 0x15, 118, kSwitchImages}, {4, 0x16, 144, kSwitchImages}, {6, 0x17, 170, kSwitchImages},
        {5, 0x18, 196, kSwitchImages}, {7, 0x19, 222, kSwitchImages},
    };
    for (const Switch& s : kSwitches)
        t.button({.array = A::MyBTN,
                  .index = s.index,
                  .page = 7,
                  .x = 846,
                  .y = s.y,
                  .address = at(s.menuAddress),
                  .action = Action::StoreValue,
                  .images = s.images,
                  .actionType = 0,
                  .labelDx = s.index == 2 ? 60 : 22,
                  .labelDy = s.index == 2 ? 5 : 3});
}

void WindowControls(TableBuilder& t)
{
    for (int i = 0; i < 3; ++i) {
        t.button({.array = A::SingleMute,
                  .index = i,
                  .anchor = Anchor::Window,
                  .x = 30 + 216 * i,
                  .y = 8,
                  .address = core::kMasterMutes + i,
                  .action = Action::MasterMute,
                  .images = kMuteImages,
                  .actionType = 0,
                  .labelDx = 100000});
        t.rows.push_back({.array = A::MyScrollBar,
                          .index = i,
                          .anchor = Anchor::Window,
                          .x = 54 + 216 * i,
                          .y = 3,
                          .address = core::kMasterLevels + i,
                          .scrollBarType = 6,
                          .labelDx = -48,
                          .labelDy = 7,
                          .muteAddress = core::kMasterMutes + i});
    }
    t.named("ToneSub", Anchor::Window, 654, 4, Action::ToneDown, kToneSubImages, 1, "降调");
    t.named("ToneLabel", Anchor::Window, 680, 4, Action::None, kToneImages, 2, "音调");
    t.named("ToneAdd", Anchor::Window, 724, 4, Action::ToneUp, kToneAddImages, 1, "升调");
    for (int i = 0; i < 7; ++i)
        t.button({.array = A::OptionInput,
                  .index = i,
                  .anchor = Anchor::Window,
                  .x = 790 + 18 * i,
                  .y = 8,
                  .address = core::kInputSelect,
                  .action = Action::ChooseOption,
                  .images = kInputImages,
                  .actionType = 2,
                  .label = kInputLabels[i],
                  .labelDx = i == 0 ? -38 : 100000,
                  .labelDy = 1});
    t.named("cmdMinForm", Anchor::WindowRight, -56, 5, Action::Minimise, kMinimiseImages, 1, "最小化");
    t.named("cmdExit", Anchor::WindowRight, -29, 5, Action::Exit, kExitImages, 1, "关闭");

    static constexpr std::string_view kPageNames[] = {"音乐",   "麦克风",   "话筒3",    "效果",
                                                      "主输出", "环绕输出", "中置输出", "超低输出"};
    for (int k = 0; k < 8; ++k)
        t.button({.array = A::CmdPage,
                  .index = k,
                  .anchor = Anchor::Window,
                  .x = 7 + 106 * k,
                  .y = 34,
                  .action = Action::ShowPage,
                  .images = kTabImages[k],
                  .actionType = 2,
                  .refreshWhenDisabled = k == 2 || k == 5,
                  .label = kPageNames[k],
                  .labelDx = 100000});
    t.button({.name = "cmdRecordPage",
              .anchor = Anchor::Window,
              .x = 7 + 106 * 8,
              .y = 34,
              .action = Action::ShowRecordingWindow,
              .images = kRecordingTab,
              .actionType = 1,
              .refreshWhenDisabled = true,
              .label = "录音输出",
              .labelDx = 100000});

    t.named("cmdReset", Anchor::GraphRight, -140, 4, Action::ResetPoints, kResetImages, 1, "复位");
    t.named("cmdByPass", Anchor::GraphRight, -72, 4, Action::Bypass, kBypassImages, 0, "直通");

    t.named("cmdConnectStatus", Anchor::Strip, 0, 4, Action::ToggleLink, kConnectionImages, 2, "连接");
    t.named("cmdPreShow", Anchor::Strip, 114, 3, Action::None, kPresetImages, 2, "当前预置");
    t.named("cmdLoad", Anchor::Strip, 214, 2, Action::RecallPreset, kRecallImages, 1, "调用");
    t.named("cmdSaveDevice", Anchor::Strip, 282, 2, Action::StorePreset, kStoreImages, 1, "保存");
    t.named("cmdOpen", Anchor::Strip, 350, 2, Action::OpenFile, kOpenImages, 1, "打开");
    t.named("cmdSave", Anchor::Strip, 418, 2, Action::SaveFile, kSaveImages, 1, "另存");
    t.named("cmdUndo", Anchor::Strip, 486, 2, Action::Undo, kUndoImages, 1, "撤销");
    t.named("cmdRedo", Anchor::Strip, 554, 2, Action::Redo, kRedoImages, 1, "重做");
    t.named("cmdOption", Anchor::Strip, 622, 2, Action::ShowStartupSettings, kOptionsImages, 1, "设备选项");
    t.named("cmdModeCopy", Anchor::StripRight, -225, 2, Action::CopyMode, kModeCopyImages, 1, "复制模式");
    t.button({.index = 0,
              .name = "cmdBassMode",
              .anchor = Anchor::StripRight,
              .x = -154,
              .y = 2,
              .action = Action::ChooseMode,
              .images = kSingingImages,
              .actionType = 2,
              .label = "演唱",
              .labelDx = 100000});
    t.button({.index = 1,
              .name = "cmdBassMode",
              .anchor = Anchor::StripRight,
              .x = -116,
              .y = 2,
              .action = Action::ChooseMode,
              .images = kDanceImages,
              .actionType = 2,
              .label = "劲舞",
              .labelDx = 100000});
    t.button({.index = 0,
              .name = "cmdBassAutoControl2",
              .anchor = Anchor::StripRight,
              .x = -78,
              .y = 4,
              .action = Action::ChooseAutoControl,
              .images = kManualImages,
              .actionType = 2,
              .label = "手动",
              .labelDx = 100000});
    t.button({.index = 1,
              .name = "cmdBassAutoControl2",
              .anchor = Anchor::StripRight,
              .x = -40,
              .y = 4,
              .action = Action::ChooseAutoControl,
              .images = kAutomaticImages,
              .actionType = 2,
              .label = "自动",
              .labelDx = 100000});
}

std::vector<ControlRow> BuildTable()
{
    TableBuilder t;
    MusicPage(t);
    MicrophonePage(t, 1);
    MicrophonePage(t, 2);
    EffectsPage(t);
    OutputPageControls(t, {.page = 4,
                           .firstFader = 50,
                           .bands = 10,
                           .faderLeft = 460,
                           .sources = {60, 61, 63, 62},
                           .channels = {68, 69},
                           .firstMute = 0,
                           .highPassSlider = 67,
                           .highPassCombo = 0,
                           .highPassPoint = 10,
                           .compressor = {64, 152, 65, 66},
                           .delays = {70, 71},
                           .lastLevel = 175});
    OutputPageControls(t, {.page = 5,
                           .firstFader = 72,
                           .bands = 7,
                           .faderLeft = 1570,
                           .sources = {79, 80, 82, 81},
                           .channels = {87, 88},
                           .firstMute = 2,
                           .highPassSlider = 86,
                           .highPassCombo = 1,
                           .highPassPoint = 7,
                           .compressor = {83, 151, 84, 85},
                           .delays = {89, 90},
                           .lastLevel = 176});
    OutputPageControls(t, {.page = 6,
                           .firstFader = 91,
                           .bands = 7,
                           .faderLeft = 1570,
                           .sources = {98, 99, 101, 100},
                           .channels = {106, -1},
                           .firstMute = 4,
                           .highPassSlider = 105,
                           .highPassCombo = 2,
                           .highPassPoint = 7,
                           .compressor = {102, 150, 103, 104},
                           .delays = {107, -1},
                           .lastLevel = 172});
    SubwooferPage(t);
    WindowControls(t);
    return std::move(t.rows);
}

} // namespace

ControlTable TuningWindowTable()
{
    static const std::vector<ControlRow> kTable = BuildTable();
    return kTable;
}

int EffectsEqSliderLeft(int slot)
{
    return TwipsLeft(570, 754, slot);
}

} // namespace quorix::tables
