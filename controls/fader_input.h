#pragma once

#include "fader_kind.h"
#include "slider_geometry.h"

#include "core/band.h"

#include <string>

namespace quorix::controls {

// A pointer position in the fader's own pixels.
struct FaderPoint {
    double x = 0;
    double y = 0;
};

// Whether a fader takes input now: shown (its thumb visible) and usable (enabled and not greyed).
struct FaderGate {
    bool visible = true;
    bool usable = true;
};

// What an input event asks of the widget that holds the rules.
struct FaderReaction {
    bool scroll = false; // the value changed or was confirmed: raise Scroll
    bool click = false;  // an accepted press: raise Click
    bool repaint = false;
    bool startHold = false; // start the hold-repeat timer (kHoldRepeatMs)
    bool stopHold = false;
    bool openEntry = false; // show the entry box over entryField() with entryText()
    bool focusEntry = false;
    bool hideEntry = false;
    bool entryText = false; // the entry box shows entryText() anew
    bool pointerIn = false; // the pointer came in: show the control's pointer when it takes input
};

// The state and input rules of a skinned fader, free of widgets: pointer, drag,
// hold-repeat, wheel and keys turn into position and band changes. The widget
// feeds it events in its own pixels and acts on the reactions.
class FaderInput {
public:
    static constexpr int kHoldRepeatMs = 50;
    static constexpr int kHoldQuietTicks = 4;
    static constexpr int kBandPositionMax = 360; // -24.0 .. +12.0 dB

    enum class Key { Up, Down }; // Up and Right raise, Down and Left lower
    enum class EntryField { Gain, Frequency, Q };

    FaderInput();

    FaderKind kind() const { return m_kind; }
    // Also applies the fixed scales of the level and band kinds and the initial position.
    void setKind(FaderKind kind);
    int hScrollSize() const { return m_hScrollSize; }
    void setHScrollSize(int size);
    int eqStyle() const { return m_eqStyle; }
    void setEqStyle(int style);
    const SliderGeometry& geometry() const { return m_geometry; }

    int valueType() const { return m_valueType; }
    void setValueType(int valueType) { m_valueType = valueType; }
    int maxValue() const { return m_maxValue; }
    void setMaxValue(int maxValue) { m_maxValue = maxValue <= 0 ? 1 : maxValue; }
    // The raw value through the scale, with the polarity folded in where the kind has the button.
    float value() const;
    void setValue(float raw);
    int position() const { return m_position; }

    // A band fader's band; its gain is the position's.
    core::Band band() const;
    // Takes the band's fields and shows its gain as the position.
    void setBand(const core::Band& band);
    // The band as held, for painting; its Gain is not kept (the position is).
    const core::Band& bandFields() const { return m_band; }

    bool polarityCapable() const;
    bool polarityInverted() const { return m_polarity; }
    bool polarityPressed() const { return m_polarityPressed; }
    bool forceShowFocus() const { return m_forceShowFocus; }
    void setForceShowFocus(bool focus) { m_forceShowFocus = focus; }
    bool dragging() const { return m_dragging; }
    bool inside() const { return m_inside; }

    EntryField entryField() const { return m_entryField; }
    bool entryOpen() const { return m_entryOpen; }
    std::string entryText() const { return fieldText(m_entryField); }
    // The text shown for a band fader's field.
    std::string fieldText(EntryField field) const;

    FaderReaction press(FaderPoint at, FaderGate gate, int width);
    FaderReaction move(FaderPoint at, bool leftHeld, FaderGate gate);
    FaderReaction release(FaderGate gate, int width);
    FaderReaction leave();
    // The press ends without a release (the fader was hidden).
    FaderReaction cancel();
    FaderReaction holdTick();
    // One notch of the wheel (+120 up, -120 down) with no key or button held; anything else does nothing.
    FaderReaction wheel(FaderPoint at, int delta, bool plain, FaderGate gate);
    // Returns whether the key was taken (keys are swallowed while the fader takes no input).
    bool key(Key key, FaderGate gate, FaderReaction& reaction);
    FaderReaction commitEntry(const std::string& text);
    void entryClosed() { m_entryOpen = false; }

private:
    void applyGeometry();
    bool isBandFader() const { return m_kind == FaderKind::Band; }
    FaderReaction stepField(EntryField field, bool up);
    FaderReaction clickStep(FaderGate gate, int width);
    FaderReaction openEntry(EntryField field);
    bool alongAxis(FaderPoint at) const;

    FaderKind m_kind = FaderKind::Level;
    SliderGeometry m_geometry;
    int m_hScrollSize = 0;
    int m_eqStyle = 0;
    int m_valueType = 0;
    int m_maxValue = 80;
    int m_position = 40;
    core::Band m_band{.freqIndex = 86, .qIndex = 10, .shelfQIndex = 8}; // 100 Hz, Q 0.7, slope 0.6
    bool m_forceShowFocus = false;
    bool m_polarity = false;
    bool m_polarityPressed = false;
    bool m_dragging = false;
    bool m_moved = false;
    bool m_pressOnThumb = false; // the press took hold of the thumb
    bool m_inside = false;
    bool m_boxOpened = false;
    bool m_entryOpen = false;
    bool m_holding = false;
    FaderPoint m_pressPoint;
    FaderPoint m_lastPoint{-1, -1};
    int m_pressPosition = 0;
    double m_grabOffset = 0;
    int m_lastReported = 0;
    int m_holdTarget = 0;
    int m_holdTicks = 0;
    EntryField m_entryField = EntryField::Gain;
};

} // namespace quorix::controls
