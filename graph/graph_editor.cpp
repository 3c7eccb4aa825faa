#include "graph_editor.h"

#include "core/rounding.h"
#include "core/value_tables.h"
#include "core/value_text.h"

#include <algorithm>
#include <cmath>

namespace quorix::graph {

namespace {

// value + step, with a stored value far outside lowest..highest first brought next to
// it: the clamp that follows gives what it would have given without overflow.
int StepWithin(int value, int step, int lowest, int highest)
{
    return std::clamp(value, lowest - 1, highest + 1) + step;
}

} // namespace

GraphEditor::GraphEditor(ResponseDisplay& display, DisplayLinks links)
    : m_display(display), m_links(std::move(links)),
      m_longPress(m_links.scheduler.createTimer(kLongPressMs, true, [this] { longPressTick(); })),
      m_wheelTimer(m_links.scheduler.createTimer(kWheelDelayMs, true, [this] { KeyDown(m_wheelKey); }))
{
    m_display.onPointsReplaced = [this] { ReleaseAll(); };
}

void GraphEditor::ReleaseAll()
{
    m_wheelTimer->stop();
    if (m_arrowDown)
        KeyUp(m_leftward ? LeftKey : RightKey);
    MouseUp();
}

CurvePoint* GraphEditor::selectedPoint()
{
    auto& points = m_display.points();
    const int s = m_display.selected();
    if (s < 0 || s >= static_cast<int>(points.size()))
        return nullptr;
    return &points[static_cast<std::size_t>(s)];
}

// A mouse or key edit starts or extends the undo step before its change.
void GraphEditor::beginStep()
{
    m_links.editor.beginStep(core::ParamEditor::UndoStep::Burst);
}

void GraphEditor::MouseDown(double x, double y, Button button)
{
    if (m_display.locked())
        return;
    const PlotGeometry& g = m_display.geometry();
    const auto& points = m_display.points();
    for (int j = 0; j < static_cast<int>(points.size()); ++j) {
        const CurvePoint& p = points[static_cast<std::size_t>(j)];
        const int px = core::RoundHalfEven(
            g.FrequencyToX(core::FrequencyAt(std::clamp(p.band.FreqIndex, 0, core::kFrequencyCount - 1))));
        const int py = p.Type == EqBandPoint ? core::RoundHalfEven(g.GainToY(p.band.Gain)) : g.zeroY;
        if (std::fabs(x - px) <= kHitRadius && std::fabs(y - py) <= kHitRadius && !p.band.BandOff) {
            m_dragging = true;
            m_lastX = core::RoundHalfEven(x);
            m_display.SelectPoint(j);
            break;
        }
    }
    if (button == Right && m_dragging)
        m_qDrag = true;
}

void GraphEditor::MouseMove(double x, double y)
{
    if (!m_dragging)
        return;
    x = std::clamp(x, 0.0, static_cast<double>(m_display.geometry().width));
    beginStep();
    CurvePoint* p = selectedPoint();
    if (!p)
        return;
    if (!m_qDrag) {
        ApplyDrag(x, y, false);
        return;
    }
    const int ix = core::RoundHalfEven(x);
    if (ix > m_lastX + kQStepPixels || ix < m_lastX - kQStepPixels) {
        const bool up = ix > m_lastX;
        m_lastX = ix;
        if (p->Type == EqBandPoint)
            stepQ(*p, up);
        ApplyDrag(x, y, true);
    }
}

void GraphEditor::stepQ(CurvePoint& p, bool up)
{
    if (p.band.Shape != 0) {
        up ? core::StepQIndexUp(p.band.ShelfQIndex) : core::StepQIndexDown(p.band.ShelfQIndex);
        p.band.ShelfQIndex = core::ClampShelfQIndex(p.band.ShelfQIndex);
        const int slope = p.band.ShelfQIndex;
        m_links.editor.apply(p.Address, [slope](core::ParamRecord& r) { r.band.ShelfQIndex = slope; });
    } else {
        up ? core::StepQIndexUp(p.band.QIndex) : core::StepQIndexDown(p.band.QIndex);
        p.band.QIndex = core::ClampQIndex(p.band.QIndex);
        const int q = p.band.QIndex;
        m_links.editor.apply(p.Address, [q](core::ParamRecord& r) { r.band.QIndex = q; });
    }
}

void GraphEditor::ApplyDrag(double x, double y, bool qStep)
{
    CurvePoint* p = selectedPoint();
    if (!p)
        return;
    if (!qStep) {
        const PlotGeometry& g = m_display.geometry();
        const int index = core::FrequencyToIndex(g.XToFrequency(static_cast<float>(x)));
        p->band.FreqIndex = core::ClampFrequencyIndex(index, core::GraphFrequencyRange(p->frequencyAddress()));
        if (p->Type == EqBandPoint)
            p->band.Gain = core::ClampGain(g.YToGain(static_cast<float>(y)));
    }
    PushPointToStore();
    m_display.recomputeSelected();
    m_display.holdFade();
    m_display.scheduleFrame();
}

void GraphEditor::MouseUp()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    m_qDrag = false;
    m_display.releaseFade();
}

void GraphEditor::PushPointToStore()
{
    CurvePoint* p = selectedPoint();
    if (!p)
        return;
    const CurvePoint point = *p;
    if (point.Type == EqBandPoint) {
        if (m_links.sliders && point.SliderIndex >= 0)
            m_links.sliders->showBand(point.SliderIndex, point.band);
        m_links.editor.edit(point.Address, core::ParamEditor::UndoStep::None,
                            [&point](core::ParamRecord& r) { r.band = point.band; });
        return;
    }
    if (m_links.sliders && point.SliderIndex >= 0)
        m_links.sliders->showValue(point.SliderIndex, point.band.FreqIndex);
    m_links.editor.setValue(point.frequencyAddress(), point.band.FreqIndex);
}

void GraphEditor::commit()
{
    PushPointToStore();
    m_display.scheduleFrame();
    m_display.SelectPoint(m_display.selected());
}

void GraphEditor::KeyDown(int key)
{
    if (key < End || key > Down)
        return;
    CurvePoint* p = selectedPoint();
    if (m_display.locked() || !p || p->band.BandOff)
        return;
    switch (key) {
    case Up:
    case Down:
        beginStep();
        if (p->Type == EqBandPoint)
            p->band.Gain =
                core::ClampGain(StepWithin(p->band.Gain, key == Up ? 1 : -1, core::kGainMin, core::kGainMax));
        commit();
        break;
    case Home:
    case End:
        beginStep();
        if (p->Type == EqBandPoint)
            stepQ(*p, key == Home);
        commit();
        break;
    default:
        if (m_arrowDown)
            return; // key repeats while the key is held
        m_arrowDown = true;
        m_longTicks = 0;
        m_leftward = key == LeftKey;
        m_longPress->start();
        break;
    }
}

void GraphEditor::longPressTick()
{
    m_longPress->stop();
    if (++m_longTicks > 4) {
        m_longTicks = 5;
        if (CurvePoint* p = selectedPoint()) {
            const auto range = core::GraphFrequencyRange(p->frequencyAddress());
            p->band.FreqIndex = core::ClampFrequencyIndex(
                StepWithin(p->band.FreqIndex, m_leftward ? -1 : 1, 0, core::kFrequencyCount - 1), range);
            commit();
        }
    }
    m_longPress->start();
}

void GraphEditor::KeyUp(int key)
{
    if (key != LeftKey && key != RightKey)
        return;
    if (!m_arrowDown)
        return;
    m_arrowDown = false;
    m_longPress->stop();
    if (m_longTicks <= 4) {
        const int next = StepSelection(!m_leftward);
        if (next >= 0)
            m_display.SelectPoint(next);
    }
    m_longTicks = 0;
}

int GraphEditor::StepSelection(bool forwards) const
{
    const auto& points = m_display.points();
    const int count = static_cast<int>(points.size());
    if (count == 0)
        return -1;
    int index = m_display.selected();
    for (int tries = 0; tries <= count; ++tries) {
        index = forwards ? (index + 1) % count : (index + count - 1) % count;
        if (!points[static_cast<std::size_t>(index)].band.BandOff)
            return index;
    }
    return -1;
}

void GraphEditor::Wheel(int delta, bool ctrl)
{
    if (delta == -120)
        m_wheelKey = ctrl ? End : Down;
    else if (delta == 120)
        m_wheelKey = ctrl ? Home : Up;
    else
        return;
    m_wheelTimer->start();
}

void GraphEditor::ResetPoints()
{
    m_links.editor.beginStep(core::ParamEditor::UndoStep::Snapshot);
    // Whatever the edit path sets off may rebuild the page's point list: the loop
    // goes over a copy.
    const std::vector<CurvePoint> points = m_display.points();
    for (const CurvePoint& p : points) {
        const auto restore = [&](int address) {
            const core::ParamRecord defaults = m_links.store.at(2, address);
            m_links.editor.edit(address, core::ParamEditor::UndoStep::None, [&defaults, &p](core::ParamRecord& r) {
                if (p.Type == EqBandPoint)
                    r.band = defaults.band;
                else
                    r.Value = defaults.Value;
            });
        };
        restore(p.Address);
        if (p.TwoAddress)
            restore(p.Address + 1);
    }
}

bool GraphEditor::BandSliderChanged(int pointIndex, int address, const SliderFields& fields)
{
    if (address < 0 || address >= core::kAddressCount)
        return false;
    const int value = core::RoundHalfEven(fields.Value);
    const bool isBand =
        m_links.store.at(address >= core::kFirstGlobalAddress ? 0 : m_links.view.CurrentMode, address).Class ==
        core::ParamClass::EqBand;
    constexpr auto kBurst = core::ParamEditor::UndoStep::Burst;
    core::Band fader = fields.band;
    fader.Gain = value;
    if (isBand)
        m_links.editor.edit(address, kBurst, [&fader](core::ParamRecord& r) { r.band = fader; });
    else
        m_links.editor.setValue(address, value, kBurst);

    // The point has followed the change already; it is selected when it stands for the address.
    const auto& points = m_display.points();
    if (pointIndex < 0 || pointIndex >= static_cast<int>(points.size()))
        return false;
    const CurvePoint& p = points[static_cast<std::size_t>(pointIndex)];
    const bool standsFor =
        isBand ? p.Type == EqBandPoint && p.Address == address : p.isFilter() && p.frequencyAddress() == address;
    if (!standsFor)
        return false; // a slider of another effects third
    m_display.SelectPoint(pointIndex);
    return true;
}

void GraphEditor::Command3(int index)
{
    m_links.view.EffectsSubPage = static_cast<std::uint8_t>(std::clamp(index, 0, 2));
    m_display.RefreshAllCurves(false);
    m_display.HighlightBoundSlider();
}

} // namespace quorix::graph
