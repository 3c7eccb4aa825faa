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
    : m_display(display), m_links(links),
      m_longPress(m_links.scheduler.createTimer(kLongPressMs, true, [this] { longPressTick(); })),
      m_wheelTimer(m_links.scheduler.createTimer(kWheelDelayMs, true, [this] { pressKey(m_wheelKey); }))
{
    m_display.onPointsReplaced = [this] { releaseAll(); };
}

void GraphEditor::releaseAll()
{
    m_wheelTimer->stop();
    if (m_arrowDown)
        releaseKey(m_leftward ? EditKey::Left : EditKey::Right);
    release();
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

void GraphEditor::press(double x, double y, Button button)
{
    if (m_display.locked())
        return;
    const PlotGeometry& g = m_display.geometry();
    const auto& points = m_display.points();
    for (int j = 0; j < static_cast<int>(points.size()); ++j) {
        const CurvePoint& p = points[static_cast<std::size_t>(j)];
        const int px = core::RoundHalfEven(
            g.frequencyToX(core::FrequencyAt(std::clamp(p.band.freqIndex, 0, core::kFrequencyCount - 1))));
        const int py = p.type == EqBandPoint ? core::RoundHalfEven(g.gainToY(p.band.gain)) : g.zeroY;
        if (std::fabs(x - px) <= kHitRadius && std::fabs(y - py) <= kHitRadius && !p.band.bandOff) {
            m_dragging = true;
            m_lastX = core::RoundHalfEven(x);
            m_display.selectPoint(j);
            break;
        }
    }
    if (button == Right && m_dragging)
        m_qDrag = true;
}

void GraphEditor::drag(double x, double y)
{
    if (!m_dragging)
        return;
    x = std::clamp(x, 0.0, static_cast<double>(m_display.geometry().width));
    beginStep();
    CurvePoint* p = selectedPoint();
    if (!p)
        return;
    if (!m_qDrag) {
        applyDrag(x, y, false);
        return;
    }
    const int ix = core::RoundHalfEven(x);
    if (ix > m_lastX + kQStepPixels || ix < m_lastX - kQStepPixels) {
        const bool up = ix > m_lastX;
        m_lastX = ix;
        if (p->type == EqBandPoint)
            stepQ(*p, up);
        applyDrag(x, y, true);
    }
}

void GraphEditor::stepQ(CurvePoint& p, bool up)
{
    if (p.band.shape != 0) {
        up ? core::StepQIndexUp(p.band.shelfQIndex) : core::StepQIndexDown(p.band.shelfQIndex);
        p.band.shelfQIndex = core::ClampShelfQIndex(p.band.shelfQIndex);
        const int slope = p.band.shelfQIndex;
        m_links.editor.apply(p.address, [slope](core::ParamRecord& r) { r.band.shelfQIndex = slope; });
    } else {
        up ? core::StepQIndexUp(p.band.qIndex) : core::StepQIndexDown(p.band.qIndex);
        p.band.qIndex = core::ClampQIndex(p.band.qIndex);
        const int q = p.band.qIndex;
        m_links.editor.apply(p.address, [q](core::ParamRecord& r) { r.band.qIndex = q; });
    }
}

void GraphEditor::applyDrag(double x, double y, bool qStep)
{
    CurvePoint* p = selectedPoint();
    if (!p)
        return;
    if (!qStep) {
        const PlotGeometry& g = m_display.geometry();
        const int index = core::FrequencyToIndex(g.xToFrequency(static_cast<float>(x)));
        p->band.freqIndex = core::ClampFrequencyIndex(index, core::GraphFrequencyRange(p->frequencyAddress()));
        if (p->type == EqBandPoint)
            p->band.gain = core::ClampGain(g.yToGain(static_cast<float>(y)));
    }
    pushPointToStore();
    m_display.recomputeSelected();
    m_display.holdFade();
    m_display.scheduleFrame();
}

void GraphEditor::release()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    m_qDrag = false;
    m_display.releaseFade();
}

void GraphEditor::pushPointToStore()
{
    CurvePoint* p = selectedPoint();
    if (!p)
        return;
    const CurvePoint point = *p;
    if (point.type == EqBandPoint) {
        if (m_links.sliders && point.sliderIndex >= 0)
            m_links.sliders->showBand(point.sliderIndex, point.band);
        m_links.editor.edit(point.address, core::ParamEditor::UndoStep::None,
                            [&point](core::ParamRecord& r) { r.band = point.band; });
        return;
    }
    if (m_links.sliders && point.sliderIndex >= 0)
        m_links.sliders->showValue(point.sliderIndex, point.band.freqIndex);
    m_links.editor.setValue(point.frequencyAddress(), point.band.freqIndex);
}

void GraphEditor::commit()
{
    pushPointToStore();
    m_display.scheduleFrame();
    m_display.selectPoint(m_display.selected());
}

void GraphEditor::pressKey(EditKey key)
{
    CurvePoint* p = selectedPoint();
    if (m_display.locked() || !p || p->band.bandOff)
        return;
    switch (key) {
    case EditKey::Up:
    case EditKey::Down:
        beginStep();
        if (p->type == EqBandPoint)
            p->band.gain =
                core::ClampGain(StepWithin(p->band.gain, key == EditKey::Up ? 1 : -1, core::kGainMin, core::kGainMax));
        commit();
        break;
    case EditKey::Home:
    case EditKey::End:
        beginStep();
        if (p->type == EqBandPoint)
            stepQ(*p, key == EditKey::Home);
        commit();
        break;
    default:
        if (m_arrowDown)
            return; // key repeats while the key is held
        m_arrowDown = true;
        m_longTicks = 0;
        m_leftward = key == EditKey::Left;
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
            p->band.freqIndex = core::ClampFrequencyIndex(
                StepWithin(p->band.freqIndex, m_leftward ? -1 : 1, 0, core::kFrequencyCount - 1), range);
            commit();
        }
    }
    m_longPress->start();
}

void GraphEditor::releaseKey(EditKey key)
{
    if (key != EditKey::Left && key != EditKey::Right)
        return;
    if (!m_arrowDown)
        return;
    m_arrowDown = false;
    m_longPress->stop();
    if (m_longTicks <= 4) {
        const int next = stepSelection(!m_leftward);
        if (next >= 0)
            m_display.selectPoint(next);
    }
    m_longTicks = 0;
}

int GraphEditor::stepSelection(bool forwards) const
{
    const auto& points = m_display.points();
    const int count = static_cast<int>(points.size());
    if (count == 0)
        return -1;
    int index = m_display.selected();
    for (int tries = 0; tries <= count; ++tries) {
        index = forwards ? (index + 1) % count : (index + count - 1) % count;
        if (!points[static_cast<std::size_t>(index)].band.bandOff)
            return index;
    }
    return -1;
}

void GraphEditor::wheel(int delta, bool ctrl)
{
    if (delta == -120)
        m_wheelKey = ctrl ? EditKey::End : EditKey::Down;
    else if (delta == 120)
        m_wheelKey = ctrl ? EditKey::Home : EditKey::Up;
    else
        return;
    m_wheelTimer->start();
}

void GraphEditor::resetPoints()
{
    m_links.editor.beginStep(core::ParamEditor::UndoStep::Snapshot);
    // Whatever the edit path sets off may rebuild the page's point list: the loop
    // goes over a copy.
    const std::vector<CurvePoint> points = m_display.points();
    for (const CurvePoint& p : points) {
        const auto restore = [&](int address) {
            const core::ParamRecord defaults = m_links.store.at(2, address);
            m_links.editor.edit(address, core::ParamEditor::UndoStep::None, [&defaults, &p](core::ParamRecord& r) {
                if (p.type == EqBandPoint)
                    r.band = defaults.band;
                else
                    r.value = defaults.value;
            });
        };
        restore(p.address);
        if (p.twoAddress)
            restore(p.address + 1);
    }
}

bool GraphEditor::bandSliderChanged(int pointIndex, int address, const SliderFields& fields)
{
    if (address < 0 || address >= core::kAddressCount)
        return false;
    const int value = core::RoundHalfEven(fields.value);
    const bool isBand =
        m_links.store.at(address >= core::kFirstGlobalAddress ? 0 : m_links.view.currentMode, address).paramClass ==
        core::ParamClass::EqBand;
    constexpr auto kBurst = core::ParamEditor::UndoStep::Burst;
    core::Band fader = fields.band;
    fader.gain = value;
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
        isBand ? p.type == EqBandPoint && p.address == address : p.isFilter() && p.frequencyAddress() == address;
    if (!standsFor)
        return false; // a slider of another effects third
    m_display.selectPoint(pointIndex);
    return true;
}

void GraphEditor::showThird(int index)
{
    m_links.view.effectsSubPage = static_cast<std::uint8_t>(std::clamp(index, 0, 2));
    m_display.refreshAllCurves(false);
    m_display.highlightBoundSlider();
}

} // namespace quorix::graph
