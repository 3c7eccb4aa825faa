#pragma once

#include <span>
#include <string_view>

namespace quorix::tables {

// The control arrays of a window; a control is named by its array and index.
enum class ControlArray {
    MyScrollBar,
    MyBTN,
    MyComboBox,
    MyMute,
    SingleMute,
    OptionFBX,
    OptionFBX2,
    OptionInput,
    CmdPage,
    Command3,
    Named, // a single control, told apart by its name
};

// The name an array's controls share, as their object name.
constexpr std::string_view ArrayName(ControlArray array)
{
    switch (array) {
    case ControlArray::MyScrollBar:
        return "MyScrollBar";
    case ControlArray::MyBTN:
        return "MyBTN";
    case ControlArray::MyComboBox:
        return "MyComboBox";
    case ControlArray::MyMute:
        return "MyMute";
    case ControlArray::SingleMute:
        return "SingleMute";
    case ControlArray::OptionFBX:
        return "OptionFBX";
    case ControlArray::OptionFBX2:
        return "OptionFBX2";
    case ControlArray::OptionInput:
        return "OptionInput";
    case ControlArray::CmdPage:
        return "cmdPage";
    case ControlArray::Command3:
        return "Command3";
    case ControlArray::Named:
        break;
    }
    return {};
}

enum class ControlKind { Slider, Button, ComboBox };

// Where a control's position is measured from: a page panel, the window's
// top-left or top-right corner, the strip under the graph (from its left or
// right end) or the graph's top-right corner. The last four follow a resize.
enum class Anchor { Panel, Window, WindowRight, Strip, StripRight, GraphRight };

// What the main window does when the user changes a control; the window maps
// each action to one call. None for the indicators the window sets itself and
// for controls whose kind says it all: sliders and the secondary windows'
// controls store their value.
enum class Action {
    None,
    StoreValue,   // the button's value into its parameter
    FilterType,   // a filter-type drop-down: its parameter and its filter's graph point
    ReverbMode,   // the reverb-mode drop-down
    OutputMute,   // a processor-wide mute of an output
    MasterMute,   // the mute of a master level
    ChooseOption, // one button of a radio group (the control array is the group)
    ShowPage,
    ShowEffectsThird,
    ToneDown,
    ToneUp,
    Bypass,
    ResetPoints,
    Minimise,
    Exit,
    ToggleLink,
    Undo,
    Redo,
    CopyMode,
    ChooseMode,
    ChooseAutoControl,
    OpenFile,
    SaveFile,
    RecallPreset,
    StorePreset,
    ShowStartupSettings,
    ShowRecordingWindow,
    ShowEffectWindow,
};

// A control that edits no parameter.
inline constexpr int kUnbound = -1;
// A drop-down that shows its parameter's list.
inline constexpr int kParamList = -1;

// One control of a window as its table declares it: what it is, where it sits,
// what it edits and how it looks. Sizes come from the control kind and images;
// a slider's scale and range and a drop-down's list come from the parameter it
// edits (core::DescribeParam).
struct ControlRow {
    ControlArray array = ControlArray::Named;
    int index = 0;
    std::string_view name{}; // the control's own name for Named controls
    ControlKind kind = ControlKind::Slider;
    int page = -1; // the page whose panel holds it, -1 for the window
    Anchor anchor = Anchor::Panel;
    int x = 0; // pixels at 96 dpi, from the anchor
    int y = 0;
    int address = kUnbound; // the flat address of the parameter it edits
    Action action = Action::None;
    int scrollBarType = 0;
    int hScrollSize = 0;
    int eqStyle = 0; // a band fader's height: 0 normal, 1 tall
    bool thumbVisible = true;
    std::span<const int> images{};    // a button's skin images, one per value
    int actionType = 3;               // how a press changes a button's value
    bool refreshWhenDisabled = false; // a button with a disabled image repaints at once
    int showType = kParamList;        // a drop-down's list where it is not its parameter's
    int filterPoint = -1;             // a filter-type drop-down: the graph point the filter is drawn as
    std::string_view label{};         // the row label, also the control's accessible name
    int labelDx = 2;                  // where the label is drawn, from the control's top-left
    int labelDy = -13;
    int muteAddress = 0; // a level slider's mute flag, coloured by it
};

using ControlTable = std::span<const ControlRow>;

} // namespace quorix::tables
