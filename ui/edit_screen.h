#pragma once

#include "mode_control.h"
#include "value_dispatch.h"

namespace quorix::ui {

class TuningWindow;

// The edits' side of the screen: what the value dispatch and the mode control
// show on the main window besides the control the user touched.
class EditScreen final : public DispatchHost, public ModeHost {
public:
    explicit EditScreen(TuningWindow& window);

    // DispatchHost
    void bypassChanged() override;
    void showModeValues() override;
    void showSliderValue(int sliderIndex, int raw) override;
    void setEffectWindowButtonEnabled(bool enabled) override;
    int toneLabel() const override;
    void setToneLabel(int value) override;
    // ModeHost
    void showModeButtons(int singing, int dance) override;
    void showAutoButtons(int manual, int automatic) override;
    void showPage(int kind) override;
    void highlightBoundSlider() override;
    void setEditingBlocked(bool blocked) override;

private:
    TuningWindow& m_window;
};

} // namespace quorix::ui
