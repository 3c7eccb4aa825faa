#include "value_dispatch.h"

#include "core/rounding.h"

namespace quorix::ui {

namespace {

constexpr int kCommon = 2560;
constexpr int kOptionInputAddress = kCommon + 0x03;
constexpr int kFbxAddress = kCommon + 0x0C;
constexpr int kFbx2Address = kCommon + 0x0D;
constexpr int kPageBypassBase = kCommon + 0x16;
constexpr int kEffectsBypassBase = kCommon + 0x2A;
constexpr int kSingleMuteBase = kCommon + 0x21;
constexpr int kToneAddress = kCommon + 0x26;

} // namespace

ValueDispatch::ValueDispatch(DispatchLinks links, DispatchHost& host)
    : m_links(std::move(links)), m_host(host),
      m_toneReset(m_links.scheduler.createTimer(kToneResetMs, true, [this] {
          if (!m_links.linkOnline())
              m_host.setToneLabel(kNeutralTone);
      }))
{
}

void ValueDispatch::writeMirrored(int address, const std::function<void(core::ParamRecord&)>& change)
{
    const int mode = core::ModeForAddress(address, m_links.view.CurrentMode);
    change(m_links.store.at(mode, address));
    if (address < core::kFirstGlobalAddress && !m_links.store.at(0, address).PerMode)
        change(m_links.store.at(1 - mode, address));
}

void ValueDispatch::writeCommon(int address, int value)
{
    m_links.store.at(0, address).Value = value;
}

void ValueDispatch::send(int address)
{
    if (m_links.linkOnline())
        m_links.writeParam(address);
}

void ValueDispatch::SliderScrolled(int address, int eqIndex, const graph::SliderFields& fields)
{
    if (address < 0)
        return;
    if (eqIndex >= 0) {
        if (!m_host.boundSliderChanged(eqIndex, address, fields))
            send(address);
        return;
    }
    if (address < core::kFirstGlobalAddress)
        m_links.undo.BeginUndoStep();
    const int raw = core::RoundHalfEven(fields.Value);
    writeMirrored(address, [raw](core::ParamRecord& r) { r.Value = raw; });
    send(address);
}

bool ValueDispatch::storeChoice(int address, int value)
{
    if (address < 0)
        return false;
    if (address < core::kFirstGlobalAddress)
        m_links.undo.PushSnapshot();
    writeMirrored(address, [value](core::ParamRecord& r) { r.Value = value; });
    return true;
}

void ValueDispatch::FilterTypeClicked(int address, int value, int point)
{
    if (!storeChoice(address, value))
        return;
    m_host.filterTypeChanged(point, value);
    send(address);
}

void ValueDispatch::ReverbModeClicked(int address, int value)
{
    if (!storeChoice(address, value))
        return;
    m_host.setEffectWindowButtonEnabled(value == 0);
    if (value >= 1 && value <= 4) {
        for (int i = 0; i < 4; ++i) {
            const int preset = kReverbPresets[value - 1][i];
            const int target = kReverbPresetAddresses[i];
            m_links.store.at(0, target).Value = preset;
            m_links.store.at(1, target).Value = preset;
            m_host.showSliderValue(kReverbPresetSliders[i], preset);
        }
    }
    send(address);
}

void ValueDispatch::ButtonClicked(int address, int value)
{
    if (address >= 0 && address < core::kFirstGlobalAddress)
        m_links.undo.PushSnapshot();
    if (address < 0)
        return;
    writeMirrored(address, [value](core::ParamRecord& r) { r.Value = value; });
    send(address);
}

void ValueDispatch::MuteClicked(int address, int value)
{
    if (address < core::kFirstGlobalAddress || address >= core::kAddressCount)
        return;
    writeCommon(address, value);
    send(address);
    m_host.RefreshControls();
}

void ValueDispatch::SingleMuteClicked(int index, int value)
{
    const int address = kSingleMuteBase + index;
    writeCommon(address, value);
    m_host.RefreshControls();
    send(address);
}

void ValueDispatch::OptionClicked(OptionGroup group, int index)
{
    const int address = group == OptionGroup::FBX ? kFbxAddress : group == OptionGroup::FBX2 ? kFbx2Address
                                                                                              : kOptionInputAddress;
    writeCommon(address, index);
    send(address);
}

int ValueDispatch::bypassAddress() const
{
    return m_links.view.CurrentKind == 3 ? kEffectsBypassBase + m_links.view.EffectsSubPage
                                         : kPageBypassBase + m_links.view.CurrentKind;
}

void ValueDispatch::ByPassClicked(int value)
{
    const int address = bypassAddress();
    writeCommon(address, value);
    send(address);
    m_host.bypassChanged();
}

void ValueDispatch::ToneStep(bool up)
{
    int tone = m_host.toneLabel();
    if (up && tone < 8)
        ++tone;
    else if (!up && tone > 2)
        --tone;
    m_host.setToneLabel(tone);
    cmdToneID_Click(tone);
}

void ValueDispatch::cmdToneID_Click(int step)
{
    if (m_links.linkOnline()) {
        writeCommon(kToneAddress, step);
        send(kToneAddress);
    } else {
        m_toneReset->start();
    }
}

} // namespace quorix::ui
