#pragma once

#include "control_row.h"

namespace quorix::tables {

// Geometry of the main tuning window at its design size, in pixels at 96 dpi.
struct TuningWindowGeometry {
    static constexpr int kDesignWidth = 980;
    static constexpr int kDesignHeight = 520;
    static constexpr int kBackground = 196; // the window's image, stretched to its size
    static constexpr int kPanelBackground = 197;
    static constexpr int kTitleHeight = 32; // Picture2, the strip the window is dragged by
    static constexpr int kPanelLeft = 7;    // PictureMode: one panel per page
    static constexpr int kPanelTop = 69;
    static constexpr int kPanelWidth = 959;
    static constexpr int kPanelHeight = 253;
    static constexpr int kGraphTop = kPanelTop + kPanelHeight + 2; // Picture1
    static constexpr int kGraphHeightMargin = 355;                 // graph height = client height - this
    static constexpr int kGraphWidthMargin = 15;
    static constexpr int kStripHeight = 31;   // Picture4, under the graph
    static constexpr int kOutOfView = 100000; // where hidden thirds of the effects page go
};

// Every control of the main tuning window: the bound controls of the eight
// pages, the controls outside the pages, their parameters, actions, scales and places.
ControlTable TuningWindowTable();

// The effects page's fifteen EQ sliders: third t (0 echo, 1 reverb, 2 effect mix) is 157 + 5t .. 161 + 5t.
inline constexpr int kEffectsFirstEqSlider = 157;
// Left edge of slot n (0..4) of the effects page's EQ sliders.
int EffectsEqSliderLeft(int slot);

} // namespace quorix::tables
