#pragma once

#include "window_table.h"

namespace quorix::tables {

// The startup settings window, StartupSettingsWindow: its design size and where its
// loudspeaker-model drop-downs go.
struct StartupSettingsGeometry {
    static constexpr int kWidth = 720;
    static constexpr int kHeight = 230;
    static constexpr int kBackground = 401;
    static constexpr int kLoudspeakerRow = 124; // the row of the model drop-down in use
    static constexpr int kOutOfView = 267;      // below the window: the other model list
};

// The two loudspeaker-model drop-downs (drop-downs 2 and 4); the variant flag picks the one shown.
inline constexpr int kLoudspeakerCombo = 2;
inline constexpr int kVariantLoudspeakerCombo = 4;

WindowTable StartupSettingsTable();

} // namespace quorix::tables
