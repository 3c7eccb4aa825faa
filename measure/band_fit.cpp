#include "band_fit.h"

#include "graph/biquad.h"
#include "graph/curve_points.h"
#include "graph/response_curves.h"

#include "core/rounding.h"
#include "core/value_tables.h"
#include "core/value_text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace quorix::measure {

namespace {

constexpr double kLowestHertz = 20;
// The difference's peaks are as narrow as the narrowest band, never narrower than a Q 4 band's.
constexpr double kLeastQ = 4;
constexpr double kPointsPerBandwidth = 8;
constexpr std::size_t kPeaksRefined = 8;
constexpr double kGolden = 0.6180339887498949;
constexpr double kNarrowEnough = 1e-9; // of the natural logarithm of the frequency
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
    band.freqIndex = NearestFrequencyIndex(f.frequency);
    band.gain = core::ClampGain(core::RoundHalfEven(f.gainDb * 10) + 250);
    band.bandOff = false;
    switch (f.shape) {
    case FilterShape::Peaking:
        band.shape = 0;
        band.qIndex = NearestQIndex(f.q, core::kMaxQIndex);
        break;
    case FilterShape::LowShelf:
    case FilterShape::HighShelf:
        band.shape = f.shape == FilterShape::LowShelf ? 1 : 2;
        band.shelfQIndex = NearestQIndex(ShelfSlope(f), core::kMaxShelfQIndex);
        break;
    }
    return band;
}

graph::BiquadCoefficients RequestedSection(const RequestedFilter& f)
{
    using namespace graph;
    switch (f.shape) {
    case FilterShape::LowShelf:
        return LowShelfCoefficients(f.frequency, kSampleRate, 0, ShelfSlope(f), f.gainDb);
    case FilterShape::HighShelf:
        return HighShelfCoefficients(f.frequency, kSampleRate, 0, ShelfSlope(f), f.gainDb);
    case FilterShape::Peaking:
        break;
    }
    return PeakingCoefficients(f.frequency, kSampleRate, 0, f.q, f.gainDb);
}

// Edits the band when the fit differs from it in the mode on show; the first edit carries `step`.
void Store(core::ParamEditor& editor, int address, const core::Band& band, core::ParamEditor::UndoStep& step,
           std::vector<int>& changed)
{
    const core::ParamRecord& r = editor.store().at(core::ModeForAddress(address, editor.view().currentMode), address);
    if (r.band == band)
        return;
    editor.edit(address, std::exchange(step, core::ParamEditor::UndoStep::None),
                [&band](core::ParamRecord& target) { target.band = band; });
    changed.push_back(address);
}

// The summed response of a set of sections, in dB.
double TotalDecibels(const std::vector<graph::BiquadCoefficients>& sections, double hertz)
{
    double total = 0;
    for (const auto& c : sections)
        total += graph::SectionDecibels(c, hertz, graph::kSampleRate);
    return total;
}

// The largest |requested − achievable| from 20 Hz to 20 kHz. A grid on the
// logarithmic frequency axis with eight points across the narrowest band's
// bandwidth finds every peak of the difference; each peak near the largest is
// then narrowed down by golden-section search to far below 0.01 dB.
void MeasureDifference(BandFit& fit, const core::ParamStore& store, const core::ViewState& view)
{
    core::ParamStore achieved = store;
    core::NullParamWriter scratch;
    core::ParamEditor editor(achieved, view, scratch);
    ApplyBandFit(editor, fit);
    std::vector<graph::BiquadCoefficients> have, want;
    double narrowest = kLeastQ;
    for (const graph::CurvePoint& p : graph::BuildCurvePoints(achieved, view, [](int) { return -1; }).points)
        if (p.type == graph::EqBandPoint && !p.band.bandOff) {
            have.push_back(graph::BandSection(p.band));
            if (p.band.shape == 0)
                narrowest = std::max(narrowest,
                                     static_cast<double>(core::QAt(std::clamp(p.band.qIndex, 0, core::kQCount - 1))));
        }
    for (const FittedBand& b : fit.fitted) {
        want.push_back(RequestedSection(b.requested));
        if (b.requested.shape == FilterShape::Peaking)
            narrowest = std::max(narrowest, b.requested.q);
    }
    const auto difference = [&](double logHertz) {
        const double hertz = std::exp(logHertz);
        return std::abs(TotalDecibels(want, hertz) - TotalDecibels(have, hertz));
    };
    const double low = std::log(kLowestHertz);
    const double high = std::log(kHighestHertz);
    const int steps = static_cast<int>(std::ceil((high - low) * kPointsPerBandwidth * narrowest));
    const double step = (high - low) / steps;
    std::vector<double> grid(static_cast<std::size_t>(steps) + 1);
    for (int i = 0; i <= steps; ++i)
        grid[static_cast<std::size_t>(i)] = difference(low + i * step);
    // The highest peaks of the grid; the true largest lies beside one of them.
    std::vector<int> peaks;
    for (int i = 0; i <= steps; ++i) {
        const auto at = static_cast<std::size_t>(i);
        if ((i == 0 || grid[at] >= grid[at - 1]) && (i == steps || grid[at] > grid[at + 1]))
            peaks.push_back(i);
    }
    const auto higher = [&](int x, int y) {
        return grid[static_cast<std::size_t>(x)] > grid[static_cast<std::size_t>(y)];
    };
    std::sort(peaks.begin(), peaks.end(), higher);
    peaks.resize(std::min(peaks.size(), kPeaksRefined));
    double best = -1;
    double bestAt = low;
    for (const int i : peaks) {
        double a = low + std::max(i - 1, 0) * step;
        double b = low + std::min(i + 1, steps) * step;
        double c = b - kGolden * (b - a);
        double d = a + kGolden * (b - a);
        double atC = difference(c);
        double atD = difference(d);
        while (b - a > kNarrowEnough) {
            if (atC >= atD) {
                b = d, d = c, atD = atC;
                c = b - kGolden * (b - a), atC = difference(c);
            } else {
                a = c, c = d, atC = atD;
                d = a + kGolden * (b - a), atD = difference(d);
            }
        }
        for (const double x : {low + i * step, (a + b) / 2}) {
            const double value = difference(x);
            if (value > best) {
                best = value;
                bestAt = x;
            }
        }
    }
    fit.largestDifferenceDb = best;
    fit.atHertz = std::exp(bestAt);
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

BandFit FitFilters(const core::ParamStore& store, const core::ViewState& view,
                   const std::vector<RequestedFilter>& filters)
{
    BandFit fit;
    std::vector<int> addresses;
    for (const graph::CurvePoint& p : graph::BuildCurvePoints(store, view, [](int) { return -1; }).points)
        if (p.type == graph::EqBandPoint)
            addresses.push_back(p.address);
    fit.filterCount = filters.size();
    fit.bandCount = addresses.size();
    if (addresses.empty()) {
        fit.refusal = FitRefusal::NoBands;
        return fit;
    }
    if (filters.size() > addresses.size()) {
        fit.refusal = FitRefusal::TooManyFilters;
        return fit;
    }
    std::vector<RequestedFilter> sorted = filters;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const RequestedFilter& a, const RequestedFilter& b) { return a.frequency < b.frequency; });
    const int mode = view.currentMode;
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

std::vector<int> ApplyBandFit(core::ParamEditor& editor, const BandFit& fit, core::ParamEditor::UndoStep step)
{
    std::vector<int> changed;
    if (!fit.ok())
        return changed;
    for (const FittedBand& b : fit.fitted)
        Store(editor, b.address, b.band, step, changed);
    for (const int address : fit.flattened) {
        core::Band flat = editor.store().at(core::ModeForAddress(address, editor.view().currentMode), address).band;
        flat.gain = 250;
        Store(editor, address, flat, step, changed);
    }
    return changed;
}

} // namespace quorix::measure
