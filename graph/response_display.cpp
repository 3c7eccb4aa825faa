#include "response_display.h"

#include "core/address_map.h"
#include "core/common_addresses.h"

#include <algorithm>

namespace quorix::graph {

ResponseDisplay::ResponseDisplay(DisplayLinks links)
    : m_links(links), m_drawWave(m_links.scheduler.createTimer(kDrawWaveMs, true, [this] { drawWave(); })),
      m_noOper(m_links.scheduler.createTimer(kNoOperMs, true, [this] { noOperation(); })),
      m_gradient(m_links.scheduler.createTimer(kGradientMs, false, [this] { fadeTick(); })),
      m_listener(m_links.editor.addListener([this](int address, int mode) { followChange(address, mode); }))
{}

ResponseDisplay::~ResponseDisplay()
{
    m_links.editor.removeListener(m_listener);
}

void ResponseDisplay::resizeGraph(int width, int height)
{
    if (width == m_geometry.width && height == m_geometry.height)
        return;
    m_geometry = PlotGeometry::forSize(width, height);
    m_curves.resize(m_geometry);
    if (onGridChanged)
        onGridChanged();
}

void ResponseDisplay::refreshAllCurves(bool timersOff)
{
    if (onPointsReplaced)
        onPointsReplaced();
    m_noOper->stop();
    m_gradient->stop();
    m_drawWave->stop();
    m_phase = FadePhase::SelectedFill;
    m_counter = 5;

    BandSliders* sliders = m_links.sliders;
    m_page = BuildCurvePoints(m_links.store, m_links.view,
                              [sliders](int address) { return sliders ? sliders->sliderFor(address) : -1; });
    m_selected = 0;
    if (sliders) {
        for (int j = 0; j < static_cast<int>(m_page.points.size()); ++j) {
            const CurvePoint& p = m_page.points[static_cast<std::size_t>(j)];
            if (p.sliderIndex < 0)
                continue;
            sliders->bindPoint(p.sliderIndex, j);
            if (p.type == EqBandPoint)
                sliders->showBand(p.sliderIndex, p.band);
            else
                sliders->showValue(p.sliderIndex, p.band.freqIndex);
        }
    }
    for (const CurvePoint& p : m_page.points)
        m_curves.computeCurve(p, m_links.view.currentKind);
    if (onInactiveChanged)
        onInactiveChanged();
    m_curves.sumCurves(m_page.points);
    if (!timersOff) {
        m_noOper->start();
        m_drawWave->start();
    }
}

void ResponseDisplay::followChange(int address, int mode)
{
    if (mode != core::ModeForAddress(address, m_links.view.currentMode))
        return;
    const auto standsFor = [address](const CurvePoint& p) {
        return p.address == address || (p.twoAddress && p.address + 1 == address);
    };
    if (std::none_of(m_page.points.begin(), m_page.points.end(), standsFor)) {
        if (address == core::BypassAddress(m_links.view.currentKind, m_links.view.effectsSubPage))
            scheduleFrame();
        return;
    }
    BandSliders* sliders = m_links.sliders;
    const PagePoints fresh = BuildCurvePoints(m_links.store, m_links.view,
                                              [sliders](int a) { return sliders ? sliders->sliderFor(a) : -1; });
    if (fresh.points.size() != m_page.points.size()) {
        refreshAllCurves(false);
        return;
    }
    bool inactive = false;
    bool changed = false;
    for (std::size_t j = 0; j < m_page.points.size(); ++j) {
        CurvePoint& p = m_page.points[j];
        const CurvePoint& now = fresh.points[j];
        if (!standsFor(p) || (p.band == now.band && p.filterType == now.filterType))
            continue;
        p.band = now.band;
        p.filterType = now.filterType;
        m_curves.computeCurve(p, m_links.view.currentKind);
        if (sliders && p.sliderIndex >= 0) {
            if (p.type == EqBandPoint)
                sliders->showBand(p.sliderIndex, p.band);
            else
                sliders->showValue(p.sliderIndex, p.band.freqIndex);
        }
        inactive = inactive || static_cast<int>(j) != m_selected;
        changed = true;
    }
    if (!changed)
        return;
    m_curves.sumCurves(m_page.points);
    if (inactive && onInactiveChanged)
        onInactiveChanged();
    scheduleFrame();
}

void ResponseDisplay::selectPoint(int index)
{
    if (index < 0 || index >= static_cast<int>(m_page.points.size()))
        return;
    if (index != m_selected) {
        m_selected = index;
        highlightBoundSlider();
        if (onInactiveChanged)
            onInactiveChanged();
    }
    recomputeSelected();
    startFade();
    m_drawWave->start();
}

void ResponseDisplay::recomputeSelected()
{
    if (m_page.points.empty())
        return;
    m_curves.computeCurve(m_page.points[static_cast<std::size_t>(m_selected)], m_links.view.currentKind);
    m_curves.sumCurves(m_page.points);
}

void ResponseDisplay::highlightBoundSlider()
{
    if (!m_links.sliders)
        return;
    const int kind = m_links.view.currentKind;
    m_links.sliders->highlightSelected(core::KindFirst(kind), core::KindLast(kind), m_selected);
}

void ResponseDisplay::startFade()
{
    m_phase = FadePhase::SelectedFill;
    m_counter = 5;
    m_gradient->stop();
    m_noOper->start();
}

void ResponseDisplay::holdFade()
{
    m_noOper->stop();
    m_gradient->stop();
}

void ResponseDisplay::releaseFade()
{
    m_noOper->start();
}

void ResponseDisplay::scheduleFrame()
{
    m_drawWave->start();
}

void ResponseDisplay::noOperation()
{
    m_noOper->stop();
    m_gradient->start();
}

void ResponseDisplay::fadeTick()
{
    if (m_phase == FadePhase::TotalFill) {
        if (++m_counter > 4)
            m_gradient->stop();
    } else if (m_counter <= 0) {
        m_phase = FadePhase::TotalFill;
    } else {
        --m_counter;
    }
    if (onFrame)
        onFrame();
}

void ResponseDisplay::linkTicked()
{
    if (m_pulseTicks < 1)
        return;
    if (++m_pulseTicks > 4) {
        m_pulseTicks = 1;
        m_pulse = !m_pulse;
        if (onFrame)
            onFrame();
    }
}

void ResponseDisplay::frameDrawn()
{
    ++m_frames;
    if (m_pulseTicks == 0)
        m_pulseTicks = 1;
}

void ResponseDisplay::drawWave()
{
    m_drawWave->stop();
    if (onFrame)
        onFrame();
}

bool ResponseDisplay::bypassed() const
{
    return m_links.store.at(0, core::BypassAddress(m_links.view.currentKind, m_links.view.effectsSubPage)).value == 1;
}

int ResponseDisplay::markerOffset(const CurvePoint& point, int index)
{
    if (point.type == LowPassPoint)
        return 15;
    if (point.type == HighPassPoint)
        return 16;
    return index;
}

} // namespace quorix::graph
