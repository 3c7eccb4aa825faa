#pragma once

#include "response_display.h"
#include "slider_fields.h"

#include <functional>
#include <memory>

namespace quorix::graph {

// Editing on the response graph: pick a marker and drag it (left: frequency and
// gain, right: Q or slope in 5-pixel steps), keys (Up/Down gain, Home/End Q,
// Left/Right select or, held, move the frequency), the wheel, the page reset and
// the effects page's thirds. Every edit goes through the edit path at once:
// store, undo step and a queued write; the display draws it with its next frame.
class GraphEditor {
public:
    static constexpr int kLongPressMs = 50;
    static constexpr int kWheelDelayMs = 10;
    static constexpr int kHitRadius = 13;
    static constexpr int kQStepPixels = 5;

    enum Button { Left, Middle, Right };
    // The keys the graph edits with; the widget maps Qt's keys onto them.
    enum class EditKey { Up, Down, Home, End, Left, Right };

    GraphEditor(ResponseDisplay& display, DisplayLinks links);

    void press(double x, double y, Button button);
    void drag(double x, double y);
    void release();
    void pressKey(EditKey key);
    void releaseKey(EditKey key);
    // Ends every arrow press, long press, drag and waiting wheel step as if released: the
    // graph lost the focus or was hidden, or its page was rebuilt (the display calls it).
    void releaseAll();
    // One wheel step over the graph: +120 away from the user, -120 toward; anything else does nothing.
    void wheel(int delta, bool ctrl);
    // Restores the page's points from the default set and writes them.
    void resetPoints();
    // Shows one third of the effects page: 0 echo, 1 reverb, 2 effect mix.
    void showThird(int index);
    // A slider bound to curve point `pointIndex` (its EQindex) changed; `address` is the
    // slider's Addr. Edits the parameter through the edit path (undo step, store, write)
    // and, when the point stands for `address`, moves the point, selects it and redraws:
    // returns true. Returns false when no point of the page stands for `address` (an
    // effects cut slider of another third): only the parameter changed.
    bool bandSliderChanged(int pointIndex, int address, const SliderFields& fields);
    // A point's filter type was chosen on its drop-down: the point is selected.
    void selectPoint(int pointIndex) { m_display.selectPoint(pointIndex); }

    bool dragging() const { return m_dragging; }
    bool qDragging() const { return m_qDrag; }
    bool arrowHeld() const { return m_arrowDown; }

private:
    CurvePoint* selectedPoint();
    void applyDrag(double x, double y, bool qStep);
    void pushPointToStore();
    void commit();
    void stepQ(CurvePoint& point, bool up);
    int stepSelection(bool forwards) const;
    void longPressTick();
    void beginStep();

    ResponseDisplay& m_display;
    DisplayLinks m_links;
    std::unique_ptr<core::Timer> m_longPress;
    std::unique_ptr<core::Timer> m_wheelTimer;
    bool m_dragging = false;
    bool m_qDrag = false;
    int m_lastX = 0;
    bool m_arrowDown = false;
    int m_longTicks = 0;
    bool m_leftward = false;
    EditKey m_wheelKey = EditKey::Up;
};

} // namespace quorix::graph
