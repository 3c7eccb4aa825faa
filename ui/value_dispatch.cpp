#include "value_dispatch.h"

#include "core/common_addresses.h"
#include "core/rounding.h"

namespace quorix::ui {

namespace {

using Step = core::ParamEditor::UndoStep;

} // namespace

ValueDispatch::ValueDispatch(DispatchLinks links, DispatchHost& host)
    : m_links(std::move(links)), m_host(host), m_toneReset(m_links.scheduler.createTimer(kToneResetMs, true, [this] {
          if (!m_links.online())
              m_host.setToneLabel(core::kNeutralTone);
      }))
{}

void ValueDispatch::sliderScrolled(int address, int eqIndex, const graph::SliderFields& fields)
{
    if (address < 0 || address >= core::kAddressCount)
        return;
    if (eqIndex >= 0) {
        m_links.graph.bandSliderChanged(eqIndex, address, fields);
        return;
    }
    m_links.editor.setValue(address, core::RoundHalfEven(fields.value), Step::Burst);
}

void ValueDispatch::filterTypeClicked(int address, int value, int point)
{
    if (address < 0 || address >= core::kAddressCount)
        return;
    m_links.editor.setValue(address, value, Step::Snapshot);
    m_links.graph.selectPoint(point);
}

void ValueDispatch::reverbModeClicked(int address, int value)
{
    if (address < 0 || address >= core::kAddressCount)
        return;
    m_links.editor.setValue(address, value, Step::Snapshot);
    m_host.setEffectWindowButtonEnabled(value == 0);
    if (value < 1 || value > 4)
        return;
    // The processor sets the reverb preset itself from the mode: only the store takes it.
    for (int i = 0; i < 4; ++i) {
        const int preset = kReverbPresets[value - 1][i];
        m_links.editor.apply(kReverbPresetAddresses[i], [preset](core::ParamRecord& r) { r.value = preset; });
        m_host.showSliderValue(kReverbPresetSliders[i], preset);
    }
}

void ValueDispatch::buttonClicked(int address, int value)
{
    if (address < 0 || address >= core::kAddressCount)
        return;
    m_links.editor.setValue(address, value, Step::Snapshot);
}

void ValueDispatch::muteClicked(int address, int value)
{
    if (address < core::kFirstGlobalAddress || address >= core::kAddressCount)
        return;
    m_links.editor.setValue(address, value);
}

void ValueDispatch::singleMuteClicked(int index, int value)
{
    m_links.editor.setValue(core::kMasterMutes + index, value);
}

void ValueDispatch::optionClicked(OptionGroup group, int index)
{
    const int address = group == OptionGroup::FBX    ? core::kFeedbackMic12
                        : group == OptionGroup::FBX2 ? core::kFeedbackMic34
                                                     : core::kInputSelect;
    m_links.editor.setValue(address, index);
}

void ValueDispatch::byPassClicked(int value)
{
    m_links.editor.setValue(core::BypassAddress(m_links.view.currentKind, m_links.view.effectsSubPage), value);
    m_host.bypassChanged();
}

void ValueDispatch::toneStep(bool up)
{
    int tone = m_host.toneLabel();
    if (up && tone < 8)
        ++tone;
    else if (!up && tone > 2)
        --tone;
    m_host.setToneLabel(tone);
    applyTone(tone);
}

void ValueDispatch::applyTone(int step)
{
    if (m_links.online())
        m_links.editor.setValue(core::kToneAddress, step);
    else
        m_toneReset->start();
}

} // namespace quorix::ui
