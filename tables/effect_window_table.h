#pragma once

#include "window_table.h"

namespace quorix::tables {

// The effect window, frmEffect: the reverb settings with no room on the effects page.
struct EffectWindowGeometry {
    static constexpr int kWidth = 744;
    static constexpr int kHeight = 223;
    static constexpr int kBackground = 403;
};

WindowTable EffectWindowTable();

} // namespace quorix::tables
