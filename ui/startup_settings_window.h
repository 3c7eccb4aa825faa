#pragma once

#include "startup_settings.h"
#include "table_window.h"

namespace quorix::ui {

class TuningWindow;

// The startup settings window ("设备控制"), modeless: the power-on preset,
// backlight and loudspeaker, and the power-on and maximum master levels, which
// keep each power-on level within its maximum and give the main window's
// master sliders their maxima.
class StartupSettingsWindow final : public TableWindow, private StartupSettingsHost {
    Q_OBJECT

public:
    StartupSettingsWindow(ConsoleServices& session, TuningWindow& mainWindow, QWidget* parent = nullptr);

    // Shows the loudspeaker-model list of the processor variant and moves the other out of view.
    void placeLoudspeakerLists(bool variantFlag);

private:
    void sliderScrolled(int index, int value) override;
    void comboClicked(int index, int value) override;
    void showLevel(int slider, int value) override;
    void setMasterMaxima(int music, int microphone, int effect) override;

    TuningWindow& m_main;
    StartupSettings m_settings;
};

} // namespace quorix::ui
