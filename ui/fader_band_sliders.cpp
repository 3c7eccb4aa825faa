#include "fader_band_sliders.h"

#include "controls/skinned_fader.h"

namespace quorix::ui {

controls::SkinnedFader* FaderBandSliders::at(int slider) const
{
    if (slider < 0 || slider >= static_cast<int>(m_sliders.size()))
        return nullptr;
    return m_sliders[static_cast<std::size_t>(slider)];
}

int FaderBandSliders::sliderFor(int address) const
{
    for (int i = 0; i < static_cast<int>(m_sliders.size()); ++i)
        if (m_sliders[static_cast<std::size_t>(i)] && m_sliders[static_cast<std::size_t>(i)]->address == address)
            return i;
    return -1;
}

void FaderBandSliders::bindPoint(int slider, int pointIndex)
{
    if (controls::SkinnedFader* s = at(slider))
        s->pointIndex = pointIndex;
}

void FaderBandSliders::showBand(int slider, const core::Band& band)
{
    controls::SkinnedFader* s = at(slider);
    if (!s)
        return;
    s->setBand(band); // repaints
}

void FaderBandSliders::showValue(int slider, int value)
{
    if (controls::SkinnedFader* s = at(slider))
        s->setValue(static_cast<float>(value));
}

void FaderBandSliders::highlightSelected(int first, int last, int selectedPoint)
{
    for (controls::SkinnedFader* s : m_sliders)
        if (s && s->address >= first && s->address <= last && s->pointIndex >= 0)
            s->setForceShowFocus(s->pointIndex == selectedPoint);
}

} // namespace quorix::ui
