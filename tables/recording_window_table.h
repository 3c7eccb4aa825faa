#pragma once

#include "window_table.h"

namespace quorix::tables {

// The recording window, frmRec: the left recording mix in view, the right one
// laid out below the window's bottom edge.
struct RecordingWindowGeometry {
    static constexpr int kWidth = 850;
    static constexpr int kHeight = 335;
    static constexpr int kBackground = 402;
    static constexpr int kLeftRow = 73;   // 1100 twips
    static constexpr int kRightRow = 360; // 5400 twips
};

WindowTable RecordingWindowTable();

} // namespace quorix::tables
