#include "band_fit.h"

#include "graph/biquad.h"
#include "graph/curve_points.h"
#include "graph/response_curves.h"

#include "core/rounding.h"
#include "core/value_tables.h"
#include "core/value_text.h"

#include <algorithm>
#include <cmath>

namespace quorix::measure {

namespace {

// 3300 graph points from 10 Hz to 22 kHz: a few points across even a Q 128 band.
constexpr int kGridWidth = 3345;
constexpr double kLowestHertz = 20;
constexpr double kHighestHertz = 20000;

template <typename Table>
int NearestOnLogScale(double value, int lowest, int highest, Table at)
{
    int best = lowest;
    double bestDistance = std::abs(std::log(value / at(lowest)));
    for (int i = lowest + 1; i <= highest; ++i) {
        const double distance = std::abs(std::log(value / at(i)));
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

core::Band Quantise(core::Band band, const RequestedFilter& f)
{
    band.FreqIndex = NearestFrequencyIndex(f.frequency);
    band.Gain = core::ClampGain(core::RoundHalfEven(f.gainDb * 10) + 250);
    band.BandOff = false;
    switch (f.shape) {
    case FilterShape::Peaking:
        band.Shape = 0;
        band.QIndex = NearestQIndex(f.q, core::kMaxQIndex);
        break;
    case FilterShape::LowShelf:
    case FilterShape::HighShelf:
        band.Shape = f.shape == FilterShape::LowShelf ? 1 : 2;
        band.ShelfQIndex = NearestQIndex(ShelfSlope(f), core::kMaxShelfQIndex);
        break;
    }
    return band;
}

graph::BiquadCoefficients RequestedSection(const RequestedFilter& f)
{
    using namespace graph;
    switch (f.shape) {
    case FilterShape::LowShelf: return LowShelfCoefficients(f.frequency, kSampleRate, 0, ShelfSlope(f), f.gainDb);
    case FilterShape::HighShelf: return HighShelfCoefficients(f.frequency, kSampleRate, 0, ShelfSlope(f), f.gainDb);
    case FilterShape::Peaking: break;
    }
    return PeakingCoefficients(f.frequency, kSampleRate, 0, f.q, f.gainDb);
}

void Store(core::ParamStore& store, const core::ViewState& view, int address, const core::Band& band,
           std::vector<int>& changed)
{
    const int mode = core::ModeForAddress(address, view.CurrentMode);
    bool differs = false;
    for (const int m : {mode, 1 - mode}) {
        if (m != mode && (address >= core::kFirstGlobalAddress || store.at(0, address).PerMode))
            continue;
        core::ParamRecord& r = store.at(m, address);
        differs = differs || r.band != band;
        r.band = band;
    }
    if (differs)
        changed.push_back(address);
}

void MeasureDifference(BandFit& fit, const core::ParamStore& store, const core::ViewState& view)
{
    core::ParamStore achieved = store;
    ApplyBandFit(achieved, view, fit);
    std::vector<graph::CurvePoint> bands;
    for (const graph::CurvePoint& p : graph::BuildCurvePoints(achieved, view, [](int) { return -1; }).points)
        if (p.Type == graph::EqBandPoint)
            bands.push_back(p);

    const auto geometry = graph::PlotGeometry::ForSize(kGridWidth, 300);
    graph::ResponseCurves have;
    have.resize(geometry);
    for (const graph::CurvePoint& p : bands)
        have.ComputeCurve(p, view.CurrentKind);
    have.SumCurves(bands);

    graph::ResponseCurves want;
    want.resize(geometry);
    std::vector<graph::CurvePoint> wanted;
    for (const FittedBand& b : fit.fitted) {
        graph::CurvePoint p;
        p.Slot = static_cast<std::uint8_t>(wanted.size());
        want.AccumulateStage(p, RequestedSection(b.requested));
        wanted.push_back(p);
    }
    want.SumCurves(wanted);

    for (int i = 0; i < geometry.points; ++i) {
        const double hertz = have.exactFrequency(i);
        if (hertz < kLowestHertz || hertz > kHighestHertz)
            continue;
        const auto at = static_cast<std::size_t>(i);
        const double difference = std::abs(static_cast<double>(want.total()[at]) - have.total()[at]);
        if (difference > fit.largestDifferenceDb) {
            fit.largestDifferenceDb = difference;
            fit.atHertz = hertz;
        }
    }
}

} // namespace

int NearestFrequencyIndex(double hertz)
{
    return NearestOnLogScale(hertz, core::kFrequencyIndexLowest, core::kFrequencyIndexHighest,
                             [](int i) { return static_cast<double>(core::FrequencyAt(i)); });
}

int NearestQIndex(double q, int highestIndex)
{
    return NearestOnLogScale(q, 0, highestIndex, [](int i) { return static_cast<double>(core::QAt(i)); });
}

BandFit FitFilters(const core::ParamStore& store, const core::ViewState& view, const std::vector<RequestedFilter>& filters)
{
    BandFit fit;
    std::vector<int> addresses;
    for (const graph::CurvePoint& p : graph::BuildCurvePoints(store, view, [](int) { return -1; }).points)
        if (p.Type == graph::EqBandPoint)
            addresses.push_back(p.Address);
    if (addresses.empty()) {
        fit.refusal = "this page has no equaliser bands";
        return fit;
    }
    if (filters.size() > addresses.size()) {
        fit.refusal = std::to_string(filters.size()) + " filters, but this page has only " +
                      std::to_string(addresses.size()) + " equaliser bands";
        return fit;
    }
    std::vector<RequestedFilter> sorted = filters;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const RequestedFilter& a, const RequestedFilter& b) { return a.frequency < b.frequency; });
    const int mode = view.CurrentMode;
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        const int address = addresses[i];
        const core::Band& current = store.at(core::ModeForAddress(address, mode), address).band;
        if (i < sorted.size()) {
            fit.fitted.push_back({sorted[i], address, Quantise(current, sorted[i])});
        } else {
            fit.flattened.push_back(address);
        }
    }
    MeasureDifference(fit, store, view);
    return fit;
}

std::vector<int> ApplyBandFit(core::ParamStore& store, const core::ViewState& view, const BandFit& fit)
{
    std::vector<int> changed;
    if (!fit.ok())
        return changed;
    for (const FittedBand& b : fit.fitted)
        Store(store, view, b.address, b.band, changed);
    for (const int address : fit.flattened) {
        core::Band flat = store.at(core::ModeForAddress(address, view.CurrentMode), address).band;
        flat.Gain = 250;
        Store(store, view, address, flat, changed);
    }
    return changed;
}

} // namespace quorix::measure
