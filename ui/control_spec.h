#pragma once

#include <span>
#include <string_view>

namespace quorix::ui {

// The control arrays of a window; a control is named by its array and index.
enum class ControlArray {
    MyScrollBar, MyBTN, MyComboBox, MyMute, SingleMute, OptionFBX, OptionFBX2, OptionInput, CmdPage, Command3,
    Named, // a single control, told apart by its name
};

enum class ControlKind { Slider, Button, ComboBox, ProgressBar };

// Where a control's position is measured from: a page panel, the window's
// top-left or top-right corner, the strip under the graph (from its left or
// right end) or the graph's top-right corner. The last four follow a resize.
enum class Anchor { Panel, Window, WindowRight, Strip, StripRight, GraphRight };

// One control of a window as its layout declares it: what it is, where it sits,
// what it binds and how it looks. Sizes come from the control kind and images.
struct ControlSpec {
    ControlArray array = ControlArray::Named;
    int index = 0;
    std::string_view name{};      // the control's own name for Named controls
    ControlKind kind = ControlKind::Slider;
    int page = -1;              // the page whose panel holds it, -1 for the window
    Anchor anchor = Anchor::Panel;
    int x = 0;                  // pixels at 96 dpi, from the anchor
    int y = 0;
    std::string_view tag{};       // the binding, as a Tag text
    int scrollBarType = 0;
    int valueType = 0;
    int maxValue = 80;
    int hScrollSize = 0;
    int eqStyle = 0;            // a band fader's height: 0 normal, 1 tall
    bool tVisible = true;
    std::string_view images{};    // a button's image list
    int actionType = 3;
    int showType = 0;           // a drop-down's list
    std::string_view specialFeature{};
    std::string_view label{};     // the row label, also the control's accessible name
    int labelDx = 2;            // where the label is drawn, from the control's top-left
    int labelDy = -13;
    int muteAddress = 0;        // a slider's MuteRAMindex
};

using ControlTable = std::span<const ControlSpec>;

} // namespace quorix::ui
