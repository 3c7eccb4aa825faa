#include "effect_window_table.h"

#include "core/address_map.h"

#include <array>

namespace quorix::tables {

namespace {

using A = ControlArray;
using G = EffectWindowGeometry;

constexpr int kReverbX = 24; // the reverb column, each slider labelled above
constexpr int kRowLabelX = 236;
constexpr int kEarlyX = 344; // the early and late reflection columns
constexpr int kLateX = 548;
constexpr int kSliderWidth = 170;

constexpr int Row(int r)
{
    return 56 + 56 * r;
}

// A reverb parameter of the effects kind.
constexpr ControlRow Slider(int index, int x, int row, int menuAddress)
{
    return {.array = A::MyScrollBar,
            .index = index,
            .anchor = Anchor::Window,
            .x = x,
            .y = Row(row),
            .address = core::FlatAddress(core::Effects, menuAddress),
            .scrollBarType = 2,
            .hScrollSize = 4,
            .labelDx = 100000};
}

constexpr std::array<ControlRow, 9> kControls = {{
    Slider(0, kReverbX, 0, 0x0F),
    Slider(1, kEarlyX, 0, 0x12),
    Slider(2, kLateX, 0, 0x15),
    Slider(3, kEarlyX, 1, 0x18),
    Slider(4, kLateX, 1, 0x19),
    Slider(5, kReverbX, 1, 0x16),
    Slider(6, kEarlyX, 2, 0x11),
    Slider(7, kLateX, 2, 0x13),
    Slider(8, kReverbX, 2, 0x17),
}};

constexpr ArtText ReverbLabel(int row, std::string_view text)
{
    return {.x = kReverbX + 7, .y = Row(row) - 18, .width = kSliderWidth, .text = text};
}

constexpr ArtText RowLabel(int row, std::string_view text)
{
    return {.x = kRowLabelX, .y = Row(row) + 7, .width = kEarlyX - kRowLabelX - 8, .text = text};
}

constexpr ArtText ColumnTitle(int x, std::string_view text)
{
    return {.x = x, .y = 24, .width = kSliderWidth - 30, .text = text, .pixelSize = 15, .centred = true, .title = true};
}

constexpr std::array<ArtText, 8> kArt = {{
    ColumnTitle(kEarlyX, "早期"),
    ColumnTitle(kLateX, "后期"),
    ReverbLabel(0, "混响高频阻尼"),
    ReverbLabel(1, "混响空间"),
    ReverbLabel(2, "混响密度"),
    RowLabel(0, "反射高频阻尼"),
    RowLabel(1, "反射音量"),
    RowLabel(2, "反射延时"),
}};

static_assert(kLateX + kSliderWidth < G::kWidth && Row(2) + 30 < G::kHeight);

} // namespace

WindowTable EffectWindowTable()
{
    return {.objectName = "frmEffect",
            .caption = "专业设置",
            .width = G::kWidth,
            .height = G::kHeight,
            .background = G::kBackground,
            .controls = kControls,
            .art = kArt};
}

} // namespace quorix::tables
