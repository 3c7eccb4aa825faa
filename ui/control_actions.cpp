#include "control_actions.h"

#include "mode_control.h"
#include "tuning_window.h"
#include "value_dispatch.h"
#include "window_actions.h"

#include "graph/response_plot.h"

#include "controls/skinned_button.h"
#include "controls/skinned_drop_down.h"

#include "link/device_link.h"

namespace quorix::ui {

namespace {

using tables::ControlArray;

// One button of a radio array pressed: it alone shows pressed, and its index is the value.
void ChooseOption(TuningWindow& window, ControlArray array, int index)
{
    window.controls().press(array, index);
    window.dispatch().optionClicked(array == ControlArray::OptionFBX    ? ValueDispatch::OptionGroup::FBX
                                    : array == ControlArray::OptionFBX2 ? ValueDispatch::OptionGroup::FBX2
                                                                        : ValueDispatch::OptionGroup::Input,
                                    index);
}

} // namespace

std::function<void()> ActionOf(const tables::ControlRow& row, QWidget* widget, TuningWindow& window)
{
    using tables::Action;
    auto* b = qobject_cast<controls::SkinnedButton*>(widget);
    auto* c = qobject_cast<controls::SkinnedDropDown*>(widget);
    const int address = row.address;
    const int i = row.index;
    switch (row.action) {
    case Action::None:
        return {};
    case Action::StoreValue:
        return [&window, b, address] { window.dispatch().buttonClicked(address, b->value()); };
    case Action::FilterType:
        return [&window, c, address, point = row.filterPoint] {
            if (!window.modes().copying())
                window.dispatch().filterTypeClicked(address, c->value(), point);
        };
    case Action::ReverbMode:
        return [&window, c, address] {
            if (!window.modes().copying())
                window.dispatch().reverbModeClicked(address, c->value());
        };
    case Action::OutputMute:
        return [&window, b, address] { window.dispatch().muteClicked(address, b->value()); };
    case Action::MasterMute:
        return [&window, b, i] { window.dispatch().singleMuteClicked(i, b->value()); };
    case Action::ChooseOption:
        return [&window, array = row.array, i] { ChooseOption(window, array, i); };
    case Action::ShowPage:
        return [&window, i] { window.pages().showPage(i); };
    case Action::ShowEffectsThird:
        return [&window, i] { window.pages().showThird(i); };
    case Action::ToneDown:
        return [&window] { window.dispatch().toneStep(false); };
    case Action::ToneUp:
        return [&window] { window.dispatch().toneStep(true); };
    case Action::Bypass:
        return [&window, b] { window.dispatch().byPassClicked(b->value()); };
    case Action::ResetPoints:
        return [&window] { window.plot().editor().resetPoints(); };
    case Action::Minimise:
        return [&window] { (window.parentWidget() ? window.parentWidget() : &window)->showMinimized(); };
    case Action::Exit:
        return [&window] { window.requestClose(TuningWindow::CloseScope::Program); };
    case Action::ToggleLink:
        return [&window] { window.link().toggleConnection(); };
    case Action::Undo:
        return [&window] { window.modes().undoClicked(); };
    case Action::Redo:
        return [&window] { window.modes().redoClicked(); };
    case Action::CopyMode:
        return [&window] { window.modes().modeCopyClicked(); };
    case Action::ChooseMode:
        return [&window, i] { window.modes().modeButtonClicked(i); };
    case Action::ChooseAutoControl:
        return [&window, i] { window.modes().autoControlClicked(i); };
    case Action::OpenFile:
        return [&window] { window.actions().openConfigurationFile(); };
    case Action::SaveFile:
        return [&window] { window.actions().saveConfigurationFile(); };
    case Action::RecallPreset:
        return [&window] { window.actions().showRecallMenu(); };
    case Action::StorePreset:
        return [&window] { window.actions().showStoreMenu(); };
    case Action::ShowStartupSettings:
        return [&window] { window.actions().showStartupSettings(); };
    case Action::ShowRecordingWindow:
        return [&window] { window.actions().showRecordingWindow(); };
    case Action::ShowEffectWindow:
        return [&window] { window.actions().showEffectWindow(); };
    }
    return {};
}

} // namespace quorix::ui
