#include "recording_window_table.h"

#include "core/address_map.h"

#include <array>

namespace quorix::tables {

namespace {

using A = ControlArray;
using G = RecordingWindowGeometry;

constexpr int kFaderWidth = 74;
constexpr int kFaderHeight = 180;
constexpr int kOutputX = 752;

constexpr int Left(int menuAddress)
{
    return core::FlatAddress(core::RecordLeft, menuAddress);
}

constexpr int Right(int menuAddress)
{
    return core::FlatAddress(core::RecordRight, menuAddress);
}

constexpr int FaderX(int n)
{
    return 70 + 92 * n;
}

// A source of a recording mix: a level fader with its polarity button.
constexpr ControlRow Source(int index, int y, int address)
{
    return {.array = A::MyScrollBar,
            .index = index,
            .anchor = Anchor::Window,
            .x = FaderX(index % 7),
            .y = y,
            .address = address,
            .scrollBarType = 0,
            .labelDx = 100000};
}

constexpr ControlRow Output(int index, int y, int address)
{
    return {.array = A::MyScrollBar,
            .index = index,
            .anchor = Anchor::Window,
            .x = kOutputX,
            .y = y,
            .address = address,
            .scrollBarType = 8,
            .labelDx = 100000};
}

constexpr ControlRow Unshown(int index, int address)
{
    return {.array = A::MyScrollBar,
            .index = index,
            .anchor = Anchor::Window,
            .x = 100000,
            .y = G::kRightRow,
            .address = address,
            .scrollBarType = 0,
            .thumbVisible = false,
            .labelDx = 100000};
}

constexpr std::array<ControlRow, 18> kControls = {{
    Source(0, G::kLeftRow, Left(0)),
    Source(1, G::kLeftRow, Left(1)),
    Source(2, G::kLeftRow, Left(2)),
    Source(3, G::kLeftRow, Left(3)),
    Source(4, G::kLeftRow, Left(4)),
    Source(5, G::kLeftRow, Left(5)),
    Source(6, G::kLeftRow, Left(6)),
    Source(7, G::kRightRow, Right(0)),
    Source(8, G::kRightRow, Right(1)),
    Source(9, G::kRightRow, Right(2)),
    Source(10, G::kRightRow, Right(3)),
    Source(11, G::kRightRow, Right(4)),
    Source(12, G::kRightRow, Right(5)),
    Source(13, G::kRightRow, Right(6)),
    Output(14, G::kLeftRow, Left(7)),
    Output(15, G::kRightRow, Right(7)),
    Unshown(16, Left(8)),
    Unshown(17, Right(8)),
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

WindowTable RecordingWindowTable()
{
    return {.objectName = "frmRec",
            .caption = "录音调节",
            .width = G::kWidth,
            .height = G::kHeight,
            .background = G::kBackground,
            .controls = kControls,
            .art = kArt};
}

} // namespace quorix::tables
