#pragma once

#include <cstdint>

namespace quorix::core {

// What the main window shows and edits, kept beside the store.
struct ViewState {
    std::int32_t currentKind = 0;     // menu kind of the page shown, 0..7
    std::uint8_t currentMode = 0;     // 0 singing, 1 dance
    std::uint8_t autoModeControl = 0; // 1 while the processor switches modes itself
    std::uint8_t effectsSubPage = 0;  // effects page third: 0 echo, 1 reverb, 2 effect mix
    std::uint8_t currentPreset = 0;   // processor preset in use: 0 KTV .. 7 USER5
};

} // namespace quorix::core
