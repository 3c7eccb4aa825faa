#include "frm_rec_controls.h"

#include <array>

namespace quorix::ui {

namespace {

using A = ControlArray;
using G = FrmRecGeometry;

constexpr int kFaderWidth = 74;
constexpr int kFaderHeight = 180;
constexpr int kOutputX = 752;

constexpr int FaderX(int n)
{
    return 70 + 92 * n;
}

// A source of a recording mix: ScrollBarType 0 brings ValueType 10 and the maximum 150.
constexpr ControlSpec Source(int index, int y, std::string_view tag, std::string_view name)
{
    return {.array = A::MyScrollBar, .index = index, .anchor = Anchor::Window, .x = FaderX(index % 7), .y = y,
            .tag = tag, .scrollBarType = 0, .valueType = 10, .maxValue = 150, .label = name, .labelDx = 100000};
}

constexpr ControlSpec Output(int index, int y, std::string_view tag, std::string_view name)
{
    return {.array = A::MyScrollBar, .index = index, .anchor = Anchor::Window, .x = kOutputX, .y = y, .tag = tag,
            .scrollBarType = 8, .valueType = 0, .maxValue = 80, .label = name, .labelDx = 100000};
}

constexpr ControlSpec Unshown(int index, std::string_view tag)
{
    return {.array = A::MyScrollBar, .index = index, .anchor = Anchor::Window, .x = 100000, .y = G::kRightRow,
            .tag = tag, .scrollBarType = 0, .tVisible = false, .labelDx = 100000};
}

constexpr std::array<ControlSpec, 18> kControls = {{
    Source(0, G::kLeftRow, "Group,8,0", "音乐音量 L"),
    Source(1, G::kLeftRow, "Group,8,1", "音乐音量 R"),
    Source(2, G::kLeftRow, "Group,8,2", "麦克风音量"),
    Source(3, G::kLeftRow, "Group,8,3", "回声音量 L"),
    Source(4, G::kLeftRow, "Group,8,4", "回声音量 R"),
    Source(5, G::kLeftRow, "Group,8,5", "混响音量 L"),
    Source(6, G::kLeftRow, "Group,8,6", "混响音量 R"),
    Source(7, G::kRightRow, "Group,9,0", "右录音 音乐音量 L"),
    Source(8, G::kRightRow, "Group,9,1", "右录音 音乐音量 R"),
    Source(9, G::kRightRow, "Group,9,2", "右录音 麦克风音量"),
    Source(10, G::kRightRow, "Group,9,3", "右录音 回声音量 L"),
    Source(11, G::kRightRow, "Group,9,4", "右录音 回声音量 R"),
    Source(12, G::kRightRow, "Group,9,5", "右录音 混响音量 L"),
    Source(13, G::kRightRow, "Group,9,6", "右录音 混响音量 R"),
    Output(14, G::kLeftRow, "Group,8,7", "录音输出音量"),
    Output(15, G::kRightRow, "Group,9,7", "录音R通道音量"),
    Unshown(16, "Group,8,8"),
    Unshown(17, "Group,9,8"),
}};

constexpr int kLabelY = G::kLeftRow + kFaderHeight + 8;

constexpr ArtText FaderLabel(int x, std::string_view text)
{
    return {.x = x - 13, .y = kLabelY, .width = kFaderWidth + 26, .text = text, .centred = true};
}

constexpr std::array<ArtText, 9> kArt = {{
    {.x = 8, .y = G::kLeftRow + 76, .width = 56, .text = "REC", .pixelSize = 18, .centred = true, .title = true},
    FaderLabel(FaderX(0), "音乐音量 L"),
    FaderLabel(FaderX(1), "音乐音量 R"),
    FaderLabel(FaderX(2), "麦克风音量"),
    FaderLabel(FaderX(3), "回声音量 L"),
    FaderLabel(FaderX(4), "回声音量 R"),
    FaderLabel(FaderX(5), "混响音量 L"),
    FaderLabel(FaderX(6), "混响音量 R"),
    FaderLabel(kOutputX, "录音输出音量"),
}};

static_assert(FaderX(6) + kFaderWidth < kOutputX && kOutputX + kFaderWidth < G::kWidth);
static_assert(kLabelY + 16 < G::kHeight && G::kRightRow >= G::kHeight);

} // namespace

WindowLayout FrmRecLayout()
{
    return {.objectName = "frmRec", .caption = "录音调节", .width = G::kWidth, .height = G::kHeight,
            .background = G::kBackground, .controls = kControls, .art = kArt};
}

} // namespace quorix::ui
