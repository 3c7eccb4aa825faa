#pragma once

namespace quorix::controls {

// The kinds of skinned fader (the layouts' "ScrollBarType" 0..8, in that order).
enum class FaderKind {
    Level = 0,             // vertical level slider with a polarity button
    Band = 1,              // equaliser band fader: gain, frequency, Q, shape, on/off
    Horizontal = 2,        // horizontal slider, layout variant by HScrollSize
    HorizontalBoxed = 3,   // horizontal slider with a value box
    HorizontalCompact = 4, // short horizontal slider with its text above
    Knob = 5,              // rotary knob
    Short = 6,             // short horizontal slider with a mute-coloured fill
    HorizontalPlain = 7,   // horizontal slider, text box only when it shows a value
    LevelPlain = 8,        // vertical level slider without a polarity button
};

// The kind a layout's integer names; an unknown number is a plain level slider.
constexpr FaderKind FaderKindFrom(int scrollBarType)
{
    return scrollBarType >= 0 && scrollBarType <= 8 ? static_cast<FaderKind>(scrollBarType) : FaderKind::Level;
}

// The level and band kinds bring their own scale and maximum.
constexpr bool HasFixedScale(FaderKind kind)
{
    return kind == FaderKind::Level || kind == FaderKind::Band || kind == FaderKind::LevelPlain;
}

constexpr bool IsVerticalLevel(FaderKind kind)
{
    return kind == FaderKind::Level || kind == FaderKind::LevelPlain;
}

} // namespace quorix::controls
