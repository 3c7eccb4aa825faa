#include "store_view.h"

#include "window_controls.h"

#include "graph/response_display.h"

#include "controls/skinned_button.h"
#include "controls/skinned_drop_down.h"
#include "controls/skinned_fader.h"

#include "core/address_map.h"
#include "core/common_addresses.h"
#include "core/param_editor.h"
#include "core/view_state.h"

namespace quorix::ui {

using tables::ControlArray;

StoreView::StoreView(core::ParamEditor& edits, const core::ViewState& view, const WindowControls& controls,
                     graph::ResponseDisplay& display)
    : m_edits(edits), m_view(view), m_controls(controls), m_display(display),
      m_listener(edits.addListener([this](int address, int mode) { show(address, mode); }))
{}

StoreView::~StoreView()
{
    m_edits.removeListener(m_listener);
}

void StoreView::showAll()
{
    const auto& bound = m_controls.bound();
    for (auto it = bound.begin(); it != bound.end(); it = bound.upper_bound(it->first))
        show(it->first, core::ModeForAddress(it->first, m_view.currentMode));
    for (int address : {core::kFeedbackMic12, core::kFeedbackMic34, core::kInputSelect, core::kToneAddress,
                        core::BypassAddress(m_view.currentKind, m_view.effectsSubPage)})
        show(address, 0);
    for (int i = 0; i < 3; ++i)
        show(core::kMasterMutes + i, 0);
    for (int i = 0; i < 6; ++i)
        show(core::kOutputMutes + i, 0);
    m_display.refreshAllCurves(false);
}

void StoreView::show(int address, int mode)
{
    if (mode != core::ModeForAddress(address, m_view.currentMode))
        return;
    const int value = m_edits.store().at(mode, address).value;
    const auto [first, last] = m_controls.bound().equal_range(address);
    for (auto it = first; it != last; ++it) {
        if (auto* s = qobject_cast<controls::SkinnedFader*>(it->second)) {
            // A fader bound to a graph point is shown by the graph.
            if (s->pointIndex < 0 &&
                (core::KindOfAddress(address) == m_view.currentKind || address >= core::kFirstGlobalAddress))
                s->setValue(static_cast<float>(value));
        } else if (auto* c = qobject_cast<controls::SkinnedDropDown*>(it->second)) {
            if (core::KindOfAddress(address) == m_view.currentKind)
                c->setValue(value);
        } else if (auto* b = qobject_cast<controls::SkinnedButton*>(it->second);
                   b && core::KindOfAddress(address) == m_view.currentKind) {
            b->setValue(value);
        }
    }
    const WindowControls::Driven& driven = m_controls.driven();
    if (address == core::kFeedbackMic12 && m_view.currentKind == 1)
        m_controls.press(ControlArray::OptionFBX, value);
    else if (address == core::kFeedbackMic34 && m_view.currentKind == 2)
        m_controls.press(ControlArray::OptionFBX2, value);
    else if (address == core::kInputSelect)
        m_controls.press(ControlArray::OptionInput, value);
    else if (address == core::kToneAddress && value >= 0 && value <= 10)
        driven.tone->setValue(value);
    else if (address >= core::kMasterMutes && address < core::kMasterMutes + 3)
        m_controls.button(ControlArray::SingleMute, address - core::kMasterMutes)->setValue(value);
    else if (address >= core::kOutputMutes && address < core::kOutputMutes + 6)
        m_controls.button(ControlArray::MyMute, address - core::kOutputMutes)->setValue(value);
    else if (address == core::BypassAddress(m_view.currentKind, m_view.effectsSubPage))
        driven.bypass->setValue(value);
}

} // namespace quorix::ui
