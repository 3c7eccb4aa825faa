// Response mathematics: one curve of 1 875 points and one stage, beside its
// reference (the same section evaluated the straightforward way, in double-precision
// complex arithmetic), and a full page.
#include "graph/biquad.h"
#include "graph/curve_points.h"
#include "graph/response_curves.h"

#include "core/address_map.h"
#include "core/value_tables.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <vector>

using namespace quorix;
using namespace quorix::graph;

namespace {

const PlotGeometry kFullScreen = PlotGeometry::forSize(1920, 700); // 1 875 graph points

CurvePoint Band()
{
    CurvePoint point;
    point.band.freqIndex = 205;
    point.band.gain = 310;
    point.band.qIndex = 30;
    return point;
}

} // namespace

static void BM_OneCurveOneStage(benchmark::State& state)
{
    ResponseCurves curves;
    curves.resize(kFullScreen);
    const CurvePoint band = Band();
    for (auto _ : state) {
        curves.computeCurve(band, 0);
        benchmark::DoNotOptimize(curves.column(0)[100]);
    }
}
BENCHMARK(BM_OneCurveOneStage)->Unit(benchmark::kMicrosecond);

static void BM_OneCurveOneStage_Reference(benchmark::State& state)
{
    std::vector<double> hertz;
    for (int i = 0; i < kFullScreen.points; ++i)
        hertz.push_back(kFullScreen.pointFrequency(i));
    std::vector<float> column(hertz.size());
    const core::Band band = Band().band;
    for (auto _ : state) {
        const BiquadCoefficients c = PeakingCoefficients(core::FrequencyAt(band.freqIndex), kSampleRate, 0,
                                                         core::QAt(band.qIndex), (band.gain - 250) / 10.0);
        for (std::size_t i = 0; i < hertz.size(); ++i) {
            const std::complex<double> z = std::polar(1.0, -2 * M_PI * hertz[i] / kSampleRate);
            const std::complex<double> num = c.b0 + c.b1 * z + c.b2 * z * z;
            const std::complex<double> den = c.a0 + c.a1 * z + c.a2 * z * z;
            column[i] = static_cast<float>(20 * std::log10(std::abs(num) / std::abs(den)));
        }
        benchmark::DoNotOptimize(column[100]);
    }
}
BENCHMARK(BM_OneCurveOneStage_Reference)->Unit(benchmark::kMicrosecond);

static void BM_PageOfSeventeenCurves(benchmark::State& state)
{
    core::ParamStore store;
    core::ParamStore image;
    core::InitParamStore(store, image);
    core::ViewState view;
    view.currentKind = 1;
    ResponseCurves curves;
    curves.resize(kFullScreen);
    for (auto _ : state) {
        const PagePoints page = BuildCurvePoints(store, view, [](int) { return -1; });
        for (const CurvePoint& p : page.points)
            curves.computeCurve(p, view.currentKind);
        curves.sumCurves(page.points);
        benchmark::DoNotOptimize(curves.total()[10]);
    }
}
BENCHMARK(BM_PageOfSeventeenCurves)->Unit(benchmark::kMicrosecond);
