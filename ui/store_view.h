#pragma once

namespace quorix::core {
class ParamEditor;
struct ViewState;
} // namespace quorix::core

namespace quorix::graph {
class ResponseDisplay;
} // namespace quorix::graph

namespace quorix::ui {

class WindowControls;

// The store as the tuning window shows it. It follows the document's change
// notifications, copy by copy, into the controls bound to the changed address;
// the graph follows them by itself. Shown whole only when a page, the effects
// third or the mode comes on show.
class StoreView {
public:
    StoreView(core::ParamEditor& edits, const core::ViewState& view, const WindowControls& controls,
              graph::ResponseDisplay& display);
    ~StoreView();
    StoreView(const StoreView&) = delete;
    StoreView& operator=(const StoreView&) = delete;

    // The page, the third or the mode on show changed.
    void showAll();
    // One copy (address, mode index) as the store holds it; nothing when the mode is not on show.
    void show(int address, int mode);

private:
    core::ParamEditor& m_edits;
    const core::ViewState& m_view;
    const WindowControls& m_controls;
    graph::ResponseDisplay& m_display;
    int m_listener = 0;
};

} // namespace quorix::ui
