#pragma once

#include "window_layout.h"

namespace quorix::ui {

// The effect window, frmEffect: the reverb settings with no room on the effects page.
struct FrmEffectGeometry {
    static constexpr int kWidth = 744;
    static constexpr int kHeight = 223;
    static constexpr int kBackground = 403;
};

WindowLayout FrmEffectLayout();

} // namespace quorix::ui
