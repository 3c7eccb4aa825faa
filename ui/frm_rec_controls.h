#pragma once

#include "window_layout.h"

namespace quorix::ui {

// The recording window, frmRec: the left recording mix in view, the right one
// laid out below the window's bottom edge.
struct FrmRecGeometry {
    static constexpr int kWidth = 850;
    static constexpr int kHeight = 335;
    static constexpr int kBackground = 402;
    static constexpr int kLeftRow = 73;   // 1100 twips
    static constexpr int kRightRow = 360; // 5400 twips
};

WindowLayout FrmRecLayout();

} // namespace quorix::ui
