#include "page_switcher.h"

#include "page_panel.h"
#include "store_view.h"
#include "window_controls.h"

#include "tables/tuning_window_table.h"

#include "graph/response_plot.h"

#include "controls/skinned_fader.h"

#include "core/common_addresses.h"
#include "core/view_state.h"

namespace quorix::ui {

using tables::ControlArray;

PageSwitcher::PageSwitcher(const std::array<PagePanel*, 8>& panels, const WindowControls& controls,
                           core::ViewState& view, graph::ResponsePlot& plot, StoreView& store)
    : m_panels(panels), m_controls(controls), m_view(view), m_plot(plot), m_store(store)
{}

void PageSwitcher::showPage(int kind)
{
    m_view.currentKind = kind;
    for (int k = 0; k < 8; ++k)
        m_panels[static_cast<std::size_t>(k)]->setVisible(k == kind);
    m_controls.press(ControlArray::CmdPage, kind);
    if (kind == 3) {
        m_controls.press(ControlArray::Command3, m_view.effectsSubPage);
        layoutEffectsPage();
    }
    m_store.showAll();
    m_plot.display().highlightBoundSlider();
}

void PageSwitcher::showThird(int third)
{
    m_controls.press(ControlArray::Command3, third);
    m_view.effectsSubPage = static_cast<std::uint8_t>(third);
    layoutEffectsPage();
    m_plot.editor().showThird(third);
    m_store.show(core::BypassAddress(m_view.currentKind, third), 0);
}

void PageSwitcher::showFirst()
{
    m_controls.press(ControlArray::CmdPage, m_view.currentKind);
    m_controls.press(ControlArray::Command3, m_view.effectsSubPage);
    m_store.showAll();
    m_plot.display().highlightBoundSlider();
}

void PageSwitcher::layoutEffectsPage()
{
    const int third = m_view.effectsSubPage;
    for (int i = 0; i < 15; ++i) {
        controls::SkinnedFader* s = m_controls.slider(tables::kEffectsFirstEqSlider + i);
        const bool shown = i / 5 == third;
        s->move(shown ? tables::EffectsEqSliderLeft(i % 5) : tables::TuningWindowGeometry::kOutOfView, s->y());
        s->setVisible(shown);
    }
}

} // namespace quorix::ui
