#include "startup_settings_table.h"

#include "core/common_addresses.h"

#include <array>

namespace quorix::tables {

namespace {

using A = ControlArray;
using G = StartupSettingsGeometry;

constexpr int kComboLabelX = 24;
constexpr int kComboX = 116;
constexpr int kPowerOnX = 268;
constexpr int kMaximumX = 494;
constexpr int kLabelWidth = 170;

constexpr int ComboRow(int r)
{
    return 44 + 40 * r;
}

constexpr int SliderRow(int r)
{
    return 62 + 52 * r;
}

constexpr ControlRow Combo(int index, int y, int address, int showType = kParamList)
{
    return {.array = A::MyComboBox,
            .index = index,
            .kind = ControlKind::ComboBox,
            .anchor = Anchor::Window,
            .x = kComboX,
            .y = y,
            .address = address,
            .showType = showType,
            .labelDx = 100000};
}

// Sliders 0..2 are the maxima, 3..5 the power-on levels, in the rows music, microphone, effect.
constexpr ControlRow Level(int index, int address)
{
    return {.array = A::MyScrollBar,
            .index = index,
            .anchor = Anchor::Window,
            .x = index < 3 ? kMaximumX : kPowerOnX,
            .y = SliderRow(index % 3),
            .address = address,
            .scrollBarType = 2,
            .hScrollSize = 2,
            .labelDx = 100000};
}

constexpr std::array<ControlRow, 11> kControls = {{
    Combo(0, ComboRow(0), core::kPowerOnPreset),
    Combo(1, ComboRow(1), core::kBacklight),
    Combo(kLoudspeakerCombo, G::kLoudspeakerRow, core::kSpeakerModel),
    Combo(3, ComboRow(3), core::kSpeakerImpedance),
    // The loudspeaker list of the processor variant (DeviceVariantFlag).
    Combo(kVariantLoudspeakerCombo, G::kOutOfView, core::kSpeakerModel, 10),
    Level(3, core::kPowerOnLevels),
    Level(4, core::kPowerOnLevels + 1),
    Level(5, core::kPowerOnLevels + 2),
    Level(0, core::kMaximumLevels),
    Level(1, core::kMaximumLevels + 1),
    Level(2, core::kMaximumLevels + 2),
}};

constexpr ArtText ComboLabel(int row, std::string_view text)
{
    return {.x = kComboLabelX, .y = ComboRow(row) + 2, .width = kComboX - kComboLabelX - 4, .text = text};
}

constexpr ArtText SliderLabel(int x, int row, std::string_view text)
{
    return {.x = x + 7, .y = SliderRow(row) - 18, .width = kLabelWidth, .text = text};
}

constexpr std::array<ArtText, 11> kArt = {{
    {.x = 20, .y = 7, .width = 200, .text = "开机设置", .pixelSize = 16, .title = true},
    ComboLabel(0, "开机模式"),
    ComboLabel(1, "背光亮度"),
    ComboLabel(2, "音箱设置"),
    ComboLabel(3, "音箱阻抗"),
    SliderLabel(kPowerOnX, 0, "开机音乐音量"),
    SliderLabel(kPowerOnX, 1, "开机麦克风音量"),
    SliderLabel(kPowerOnX, 2, "开机效果音量"),
    SliderLabel(kMaximumX, 0, "最大音乐音量"),
    SliderLabel(kMaximumX, 1, "最大麦克风音量"),
    SliderLabel(kMaximumX, 2, "最大效果音量"),
}};

static_assert(ComboRow(2) == G::kLoudspeakerRow);

} // namespace

WindowTable StartupSettingsTable()
{
    return {.objectName = "frmSet",
            .caption = "设备控制",
            .width = G::kWidth,
            .height = G::kHeight,
            .background = G::kBackground,
            .controls = kControls,
            .art = kArt};
}

} // namespace quorix::tables
