#pragma once

#include <array>

namespace quorix::core {
struct ViewState;
} // namespace quorix::core

namespace quorix::graph {
class ResponsePlot;
} // namespace quorix::graph

namespace quorix::ui {

class PagePanel;
class StoreView;
class WindowControls;

// Which of the eight pages, and which third of the effects page, is on show:
// the panels, the page and third buttons, the effects page's sliders, and the
// store shown anew for what came on show.
class PageSwitcher {
public:
    PageSwitcher(const std::array<PagePanel*, 8>& panels, const WindowControls& controls, core::ViewState& view,
                 graph::ResponsePlot& plot, StoreView& store);

    // A page button: page `kind` comes on show.
    void showPage(int kind);
    // An effects third button: 0 echo, 1 reverb, 2 effect mix.
    void showThird(int third);
    // Before anything was read: the page, the third and their buttons as the view holds them.
    void showFirst();

private:
    void layoutEffectsPage();

    const std::array<PagePanel*, 8>& m_panels;
    const WindowControls& m_controls;
    core::ViewState& m_view;
    graph::ResponsePlot& m_plot;
    StoreView& m_store;
};

} // namespace quorix::ui
