#include "fader_input.h"

#include "core/rounding.h"
#include "core/typed_value.h"
#include "core/value_scales.h"
#include "core/value_tables.h"
#include "core/value_text.h"

#include <algorithm>

namespace quorix::controls {

FaderInput::FaderInput()
{
    applyGeometry();
}

void FaderInput::applyGeometry()
{
    m_geometry = GeometryFor(m_kind, m_hScrollSize, m_eqStyle);
}

void FaderInput::setKind(FaderKind kind)
{
    m_kind = kind;
    switch (kind) {
    case FaderKind::Level:
        m_valueType = 10;
        m_maxValue = 150;
        break;
    case FaderKind::Band:
        m_valueType = 15;
        m_maxValue = kBandPositionMax;
        break;
    case FaderKind::LevelPlain:
        m_valueType = 0;
        m_maxValue = 80;
        break;
    default:
        break;
    }
    m_position = kind == FaderKind::Band ? 240 : core::RoundHalfEven(m_maxValue / 2.0);
    applyGeometry();
}

void FaderInput::setHScrollSize(int size)
{
    m_hScrollSize = size;
    applyGeometry();
}

void FaderInput::setEqStyle(int style)
{
    m_eqStyle = style;
    applyGeometry();
}

bool FaderInput::polarityCapable() const
{
    const bool horizontal =
        m_kind == FaderKind::Horizontal || m_kind == FaderKind::HorizontalBoxed || m_kind == FaderKind::HorizontalPlain;
    return m_kind == FaderKind::Level || (horizontal && m_hScrollSize == 3);
}

float FaderInput::value() const
{
    const float raw = core::ScalePositionToRaw(m_valueType, m_position);
    return polarityCapable() ? core::JoinPolarity(raw, m_polarity) : raw;
}

void FaderInput::setValue(float raw)
{
    if (polarityCapable()) {
        const core::PolaritySplit split = core::SplitPolarity(raw);
        m_polarity = split.inverted;
        raw = split.raw;
    }
    m_position = core::RawToSliderPosition(m_valueType, raw, m_maxValue);
    m_lastReported = m_position;
}

core::Band FaderInput::band() const
{
    core::Band band = m_band;
    band.gain = core::RoundHalfEven(value());
    return band;
}

void FaderInput::setBand(const core::Band& band)
{
    m_band = band;
    setValue(static_cast<float>(band.gain));
}

bool FaderInput::alongAxis(FaderPoint at) const
{
    // A horizontal fader travels in x; the vertical ones and the knob in y.
    const bool horizontal = !m_geometry.vertical && !m_geometry.knob;
    return horizontal ? at.x != m_pressPoint.x : at.y != m_pressPoint.y;
}

FaderReaction FaderInput::press(FaderPoint at, FaderGate gate, int width)
{
    FaderReaction r;
    if (!gate.visible || !gate.usable)
        return r;
    m_lastPoint = at;
    m_inside = true; // a press is always over the control
    const BandRows rows = BandRowsFor(m_eqStyle);
    if (isBandFader() && at.y > rows.switchTop && at.y < rows.switchBottom) {
        m_band.bandOff = !m_band.bandOff;
        m_moved = true;
        r.scroll = r.repaint = true;
        return r;
    }
    m_polarityPressed = false;
    if ((polarityCapable() && m_kind != FaderKind::Level && at.x >= 140 && at.x <= 152) ||
        (m_kind == FaderKind::Level && at.x >= 13 && at.x <= 25 && at.y >= 161 && at.y <= 170)) {
        m_polarityPressed = true; // the release toggles
        m_moved = true;
        r.repaint = true;
        return r;
    }
    if (m_band.bandOff)
        return r;
    m_pressPoint = at;
    m_moved = false;
    m_pressOnThumb = false;
    m_boxOpened = false;
    r.click = true;

    if (isBandFader()) {
        if (at.y > rows.gainTop && at.y < rows.gainBottom)
            return openEntry(EntryField::Gain);
        if (at.y > rows.freqTop && at.y < rows.freqBottom)
            return openEntry(EntryField::Frequency);
        if (at.y > rows.qTop && at.y < rows.qBottom)
            return openEntry(EntryField::Q);
        if (m_entryOpen) {
            m_entryOpen = false;
            r.hideEntry = true;
        }
        for (int shape = 0; shape < 3; ++shape) {
            const double top = 60 + 18 * shape;
            if (at.x < 16 && at.y > top && at.y < top + 18) {
                m_band.shape = static_cast<std::uint8_t>(shape);
                m_moved = true;
                r.scroll = r.repaint = true;
                return r;
            }
        }
    }

    const SliderGeometry& g = m_geometry;
    const double thumb = ThumbCoordinate(g, m_position, m_maxValue);
    m_pressPosition = m_position;
    m_lastReported = m_position;
    if (g.knob) {
        m_dragging = at.y < width;
    } else if (g.vertical) {
        m_dragging = at.x >= g.originX && at.x <= g.originX + g.thumbWidth && at.y >= thumb - g.thumbHeight / 2.0 &&
                     at.y <= thumb + g.thumbHeight / 2.0;
        m_grabOffset = at.y - thumb;
    } else {
        m_dragging = at.y >= g.originY - 2 && at.y <= g.originY + g.thumbHeight + 2 &&
                     at.x >= thumb - g.thumbWidth / 2.0 && at.x <= thumb + g.thumbWidth / 2.0;
        // The thumb keeps where it was taken hold of: a pointer that has not moved moves nothing.
        m_grabOffset = at.x - thumb;
    }
    m_pressOnThumb = m_dragging && !g.knob;
    if (!m_dragging && !g.knob) {
        m_holdTarget = PositionAt(g, g.vertical ? at.y : at.x, m_maxValue);
        m_holdTicks = 0;
        m_holding = true;
        r.startHold = true;
    }
    return r;
}

FaderReaction FaderInput::move(FaderPoint at, bool leftHeld, FaderGate gate)
{
    FaderReaction r;
    m_lastPoint = at;
    if (!gate.visible)
        return r;
    if (!m_inside) {
        m_inside = true;
        r.pointerIn = true;
    }
    if (!leftHeld)
        return r;
    if (alongAxis(at))
        m_moved = true;
    const SliderGeometry& g = m_geometry;
    if (m_holding)
        m_holdTarget = PositionAt(g, g.vertical ? at.y : at.x, m_maxValue);
    if (!m_dragging)
        return r;
    if (g.knob) {
        // The knob turns one step per 100 twips (6.7 pixels at 96 dpi) of vertical travel.
        const double steps = (at.y - m_pressPoint.y) * 15.0 / 100.0;
        m_position = std::clamp(core::RoundHalfEven(m_pressPosition - steps), 0, m_maxValue);
        r.repaint = r.scroll = true;
        return r;
    }
    m_position = PositionAt(g, (g.vertical ? at.y : at.x) - m_grabOffset, m_maxValue);
    r.repaint = true;
    if (m_position != m_lastReported) {
        m_lastReported = m_position;
        r.scroll = true;
    }
    return r;
}

FaderReaction FaderInput::release(FaderGate gate, int width)
{
    FaderReaction r;
    if (m_polarityPressed) {
        m_polarityPressed = false;
        m_polarity = !m_polarity;
        r.scroll = r.repaint = true;
    } else if (m_boxOpened) {
        r.focusEntry = true;
    }
    m_dragging = false;
    m_holding = false;
    r.stopHold = true;
    const FaderReaction step = clickStep(gate, width);
    r.scroll = r.scroll || step.scroll;
    r.repaint = r.repaint || step.repaint;
    return r;
}

FaderReaction FaderInput::leave()
{
    m_inside = false;
    FaderReaction r;
    r.repaint = true;
    return r;
}

FaderReaction FaderInput::cancel()
{
    m_dragging = false;
    m_polarityPressed = false;
    m_holding = false;
    FaderReaction r;
    r.stopHold = true;
    return r;
}

FaderReaction FaderInput::clickStep(FaderGate gate, int width)
{
    FaderReaction r;
    if (!gate.visible || !gate.usable || m_band.bandOff || m_moved)
        return r;
    if (isBandFader() && !m_forceShowFocus) {
        r.scroll = true;
        return r;
    }
    // Installers take hold of a thumb before using the arrow keys: letting go of it unmoved is no edit.
    if (m_pressOnThumb)
        return r;
    const double thumb = ThumbCoordinate(m_geometry, m_position, m_maxValue);
    bool up = false;
    if (m_geometry.knob)
        up = m_pressPoint.x > width / 2.0;
    else if (m_geometry.vertical)
        up = m_pressPoint.y < thumb;
    else
        up = m_pressPoint.x > thumb;
    key(up ? Key::Up : Key::Down, gate, r);
    return r;
}

FaderReaction FaderInput::holdTick()
{
    FaderReaction r;
    if (++m_holdTicks <= kHoldQuietTicks)
        return r;
    m_moved = true; // the press has become a hold: its release does not step again
    if (m_holdTarget == m_position)
        return r;
    m_position += m_holdTarget > m_position ? 1 : -1;
    m_lastReported = m_position;
    r.scroll = r.repaint = true;
    return r;
}

FaderReaction FaderInput::wheel(FaderPoint at, int delta, bool plain, FaderGate gate)
{
    FaderReaction r;
    if (!gate.visible || !plain)
        return r;
    m_lastPoint = at;
    m_inside = true; // wheel events go to the control under the pointer
    if (delta == 120)
        key(Key::Up, gate, r);
    else if (delta == -120)
        key(Key::Down, gate, r);
    return r;
}

bool FaderInput::key(Key key, FaderGate gate, FaderReaction& r)
{
    const bool up = key == Key::Up;
    if (!gate.visible)
        return false;
    if (!gate.usable || m_band.bandOff)
        return true;
    if (m_entryOpen) {
        r = stepField(m_entryField, up);
        return true;
    }
    if (isBandFader()) {
        const BandRows rows = BandRowsFor(m_eqStyle);
        if (m_lastPoint.y > rows.freqTop && m_lastPoint.y < rows.freqBottom) {
            r = stepField(EntryField::Frequency, up);
            return true;
        }
        if (m_lastPoint.y > rows.qTop && m_lastPoint.y < rows.qBottom) {
            r = stepField(EntryField::Q, up);
            return true;
        }
    }
    if (!m_inside)
        return true;
    const int next = m_position + (up ? 1 : -1);
    if (next < 0 || next > m_maxValue)
        return true;
    m_position = next;
    m_lastReported = m_position;
    r.scroll = r.repaint = true;
    return true;
}

std::string FaderInput::fieldText(EntryField field) const
{
    switch (field) {
    case EntryField::Gain:
        return core::GainText(m_position + 10);
    case EntryField::Frequency:
        return core::FrequencyText(std::clamp(m_band.freqIndex, 0, core::kFrequencyCount - 1));
    case EntryField::Q:
        break;
    }
    return core::QText(std::clamp(m_band.shape == 0 ? m_band.qIndex : m_band.shelfQIndex, 0, core::kMaxQIndex));
}

FaderReaction FaderInput::stepField(EntryField field, bool up)
{
    switch (field) {
    case EntryField::Gain:
        m_position = std::clamp(m_position + (up ? 1 : -1), 0, kBandPositionMax);
        break;
    case EntryField::Frequency:
        m_band.freqIndex =
            core::ClampFrequencyIndex(std::clamp(m_band.freqIndex, 0, core::kFrequencyCount - 1) + (up ? 1 : -1));
        break;
    case EntryField::Q: {
        const bool peaking = m_band.shape == 0;
        int& index = peaking ? m_band.qIndex : m_band.shelfQIndex;
        up ? core::StepQIndexUp(index) : core::StepQIndexDown(index);
        index = peaking ? core::ClampQIndex(index) : core::ClampShelfQIndex(index);
        break;
    }
    }
    FaderReaction r;
    r.entryText = r.scroll = r.repaint = true;
    return r;
}

FaderReaction FaderInput::openEntry(EntryField field)
{
    m_entryField = field;
    m_entryOpen = true;
    m_boxOpened = true;
    m_moved = true;
    FaderReaction r;
    r.click = true;
    r.openEntry = true;
    return r;
}

FaderReaction FaderInput::commitEntry(const std::string& text)
{
    switch (m_entryField) {
    case EntryField::Gain:
        m_position = core::ParseTypedValue(core::TypedField::Gain, text) - 10;
        break;
    case EntryField::Frequency:
        m_band.freqIndex = core::ParseTypedValue(core::TypedField::Frequency, text);
        break;
    case EntryField::Q: {
        const bool peaking = m_band.shape == 0;
        (peaking ? m_band.qIndex : m_band.shelfQIndex) =
            core::ParseTypedValue(peaking ? core::TypedField::PeakQ : core::TypedField::ShelfQ, text);
        break;
    }
    }
    m_entryOpen = false;
    m_lastReported = m_position;
    FaderReaction r;
    r.scroll = r.repaint = r.hideEntry = true;
    return r;
}

} // namespace quorix::controls
