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
    window.dispatch().OptionClicked(array == ControlArray::OptionFBX    ? ValueDispatch::OptionGroup::FBX
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
        return [&window, b, address] { window.dispatch().ButtonClicked(address, b->Value()); };
    case Action::FilterType:
        return [&window, c, address, point = row.filterPoint] {
            if (!window.modes().copying())
                window.dispatch().FilterTypeClicked(address, c->Value(), point);
        };
    case Action::ReverbMode:
        return [&window, c, address] {
            if (!window.modes().copying())
                window.dispatch().ReverbModeClicked(address, c->Value());
        };
    case Action::OutputMute:
        return [&window, b, address] { window.dispatch().MuteClicked(address, b->Value()); };
    case Action::MasterMute:
        return [&window, b, i] { window.dispatch().SingleMuteClicked(i, b->Value()); };
    case Action::ChooseOption:
        return [&window, array = row.array, i] { ChooseOption(window, array, i); };
    case Action::ShowPage:
        return [&window, i] { window.pages().showPage(i); };
    case Action::ShowEffectsThird:
        return [&window, i] { window.pages().showThird(i); };
    case Action::ToneDown:
        return [&window] { window.dispatch().ToneStep(false); };
    case Action::ToneUp:
        return [&window] { window.dispatch().ToneStep(true); };
    case Action::Bypass:
        return [&window, b] { window.dispatch().ByPassClicked(b->Value()); };
    case Action::ResetPoints:
        return [&window] { window.plot().editor().ResetPoints(); };
    case Action::Minimise:
        return [&window] { (window.parentWidget() ? window.parentWidget() : &window)->showMinimized(); };
    case Action::Exit:
        return [&window] { window.requestClose(TuningWindow::CloseScope::Program); };
    case Action::ToggleLink:
        return [&window] { window.link().ConnectButtonClicked(); };
    case Action::Undo:
        return [&window] { window.modes().UndoClicked(); };
    case Action::Redo:
        return [&window] { window.modes().RedoClicked(); };
    case Action::CopyMode:
        return [&window] { window.modes().ModeCopyClicked(); };
    case Action::ChooseMode:
        return [&window, i] { window.modes().ModeButtonClicked(i); };
    case Action::ChooseAutoControl:
        return [&window, i] { window.modes().AutoControlClicked(i); };
    case Action::OpenFile:
        return [&window] { window.actions().OpenConfigurationFile(); };
    case Action::SaveFile:
        return [&window] { window.actions().SaveConfigurationFile(); };
    case Action::RecallPreset:
        return [&window] { window.actions().ShowRecallMenu(); };
    case Action::StorePreset:
        return [&window] { window.actions().ShowStoreMenu(); };
    case Action::ShowStartupSettings:
        return [&window] { window.actions().ShowStartupSettings(); };
    case Action::ShowRecordingWindow:
        return [&window] { window.actions().ShowRecordingWindow(); };
    case Action::ShowEffectWindow:
        return [&window] { window.actions().ShowEffectWindow(); };
    }
    return {};
}

} // namespace quorix::ui
