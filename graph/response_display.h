#pragma once

#include "band_sliders.h"
#include "curve_points.h"
#include "plot_geometry.h"
#include "response_curves.h"

#include "core/param_editor.h"
#include "core/param_store.h"
#include "core/scheduler.h"
#include "core/view_state.h"

#include <functional>
#include <memory>

namespace quorix::graph {

// What the response display needs from around it.
struct DisplayLinks {
    const core::ParamStore& store;
    core::ViewState& view;
    core::Scheduler& scheduler;
    // The edit path every change made on the graph goes through: store, undo, write.
    core::ParamEditor& editor;
    BandSliders* sliders = nullptr;
};

// The state of the response plot without its pixels: geometry, the curve points
// of the page, their curves, the selection, the fill fade, the marker pulse and
// the frame waiting to be drawn. The widget draws from it and asks it to redraw
// through the three callbacks.
class ResponseDisplay {
public:
    static constexpr int kDrawWaveMs = 1;
    static constexpr int kNoOperMs = 700;
    static constexpr int kGradientMs = 70;

    enum class FadePhase { SelectedFill, TotalFill };

    explicit ResponseDisplay(DisplayLinks links);
    ~ResponseDisplay();
    ResponseDisplay(const ResponseDisplay&) = delete;
    ResponseDisplay& operator=(const ResponseDisplay&) = delete;

    // Redraw requests: the grid after a resize, the inactive curves after a
    // selection or page change, the frame after an edit or animation step.
    std::function<void()> onGridChanged;
    std::function<void()> onInactiveChanged;
    std::function<void()> onFrame;
    // The point list is about to be rebuilt: whatever held one of its points lets go.
    std::function<void()> onPointsReplaced;

    void resizeGraph(int width, int height);
    void refreshAllCurves(bool timersOff);
    // The document changed one copy of a parameter: a point standing for it takes
    // the store's value and its curve is drawn again; selection and fades stay.
    void followChange(int address, int mode);
    void selectPoint(int index);
    void highlightBoundSlider();
    // Recomputes the selected curve and the total after the selected point changed.
    void recomputeSelected();
    // An edit changed a point: the next drawing turn shows it.
    void scheduleFrame();
    // The 50 ms link tick: drives the selected marker's pulse.
    void linkTicked();
    // An edit is in progress: the selected fill stays, no fade runs.
    void holdFade();
    // The edit ended: the fade starts 700 ms later.
    void releaseFade();

    const PlotGeometry& geometry() const { return m_geometry; }
    const ResponseCurves& curves() const { return m_curves; }
    const std::vector<CurvePoint>& points() const { return m_page.points; }
    std::vector<CurvePoint>& points() { return m_page.points; }
    bool locked() const { return m_page.locked; }
    int selected() const { return m_selected; }
    FadePhase fadePhase() const { return m_phase; }
    int fadeCounter() const { return m_counter; }
    bool pulse() const { return m_pulse; }
    bool bypassed() const;
    // Frames drawn since the last take (the window shows and resets the count once a second).
    int framesDrawn() const { return m_frames; }
    int takeFramesDrawn()
    {
        const int frames = m_frames;
        m_frames = 0;
        return frames;
    }
    // Marker image offset t: the band's position, 15 for a low-pass, 16 for a high-pass.
    static int markerOffset(const CurvePoint& point, int index);

    // Called by the widget each time it draws the frame.
    void frameDrawn();

private:
    void startFade();
    void fadeTick();
    void drawWave();
    void noOperation();

    DisplayLinks m_links;
    PlotGeometry m_geometry;
    ResponseCurves m_curves;
    PagePoints m_page;
    int m_selected = 0;
    FadePhase m_phase = FadePhase::SelectedFill;
    int m_counter = 5;
    int m_pulseTicks = 0;
    bool m_pulse = false;
    int m_frames = 0;
    std::unique_ptr<core::Timer> m_drawWave;
    std::unique_ptr<core::Timer> m_noOper;
    std::unique_ptr<core::Timer> m_gradient;
    int m_listener = 0; // last: what it hears may start the timers
};

} // namespace quorix::graph
