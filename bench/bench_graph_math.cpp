// Response mathematics: one curve of 1 875 points and one stage, and a full page.
#include "graph/curve_points.h"
#include "graph/response_curves.h"

#include "core/address_map.h"

#include <benchmark/benchmark.h>

using namespace quorix;
using namespace quorix::graph;

static void BM_OneCurveOneStage(benchmark::State& state)
{
    ResponseCurves curves;
    curves.resize(PlotGeometry::ForSize(1920, 700)); // 1 875 graph points
    CurvePoint band;
    band.FreqIndex = 205;
    band.GainOrType = 310;
    band.QIndex = 30;
    curves.ComputeCurve(band, 0); // builds the phase tables once
    for (auto _ : state) {
        curves.ComputeCurve(band, 0);
        benchmark::DoNotOptimize(curves.column(0)[100]);
    }
}
BENCHMARK(BM_OneCurveOneStage)->Unit(benchmark::kMicrosecond);

static void BM_PageOfSeventeenCurves(benchmark::State& state)
{
    core::ParamStore store;
    core::ParamStore image;
    core::InitParamStore(store, image);
    core::ViewState view;
    view.CurrentKind = 1;
    ResponseCurves curves;
    curves.resize(PlotGeometry::ForSize(1920, 700));
    for (auto _ : state) {
        const PagePoints page = BuildCurvePoints(store, view, [](int) { return -1; });
        for (const CurvePoint& p : page.points)
            curves.ComputeCurve(p, view.CurrentKind);
        curves.SumCurves(page.points);
        benchmark::DoNotOptimize(curves.total()[10]);
    }
}
BENCHMARK(BM_PageOfSeventeenCurves)->Unit(benchmark::kMicrosecond);
