#pragma once

#include "mode_control.h"
#include "value_dispatch.h"

namespace quorix::ui {

class Prompter;
class TuningWindow;

// The edits' side of the screen: what the value dispatch and the mode control
// show on the main window besides the control the user touched.
class EditScreen final : public DispatchHost, public ModeHost {
public:
    EditScreen(TuningWindow& window, Prompter& prompter);

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
    void showMessage(std::string_view text) override;
    bool askYesNo(std::string_view question) override;
    void setEditingBlocked(bool blocked) override;

private:
    TuningWindow& m_window;
    Prompter& m_prompter;
};

} // namespace quorix::ui
