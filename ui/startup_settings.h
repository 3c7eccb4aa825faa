#pragma once

#include "core/common_addresses.h"
#include "core/param_editor.h"

#include <array>

namespace quorix::ui {

// What the pairing of the startup settings asks of the window around it.
class StartupSettingsHost {
public:
    virtual ~StartupSettingsHost() = default;
    // Slider `slider` shows `value` (set from code: it raises nothing).
    virtual void showLevel(int slider, int value) = 0;
    // The main window's three master sliders take the stored maxima.
    virtual void setMasterMaxima(int music, int microphone, int effect) = 0;
};

// The power-on and maximum master levels of the startup settings: sliders 0..2
// are the maxima of music, microphone and effect, 3..5 their power-on levels.
// A power-on level never exceeds its maximum, in either direction of change.
class StartupSettings {
public:
    static constexpr int kLevelCount = 6;
    static constexpr std::array<int, kLevelCount> kLevelAddresses = {
        core::kMaximumLevels, core::kMaximumLevels + 1, core::kMaximumLevels + 2,
        core::kPowerOnLevels, core::kPowerOnLevels + 1, core::kPowerOnLevels + 2};

    StartupSettings(core::ParamEditor& edits, StartupSettingsHost& host);

    // Slider `slider` (0..5) was moved to `value`.
    void levelScrolled(int slider, int value);
    // A drop-down bound to `address` picked the item numbered `value`.
    void comboClicked(int address, int value);

private:
    int stored(int slider) const;

    core::ParamEditor& m_edits;
    StartupSettingsHost& m_host;
};

} // namespace quorix::ui
