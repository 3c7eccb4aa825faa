// The response plot at full-screen size: one drag step (recompute the selected
// curve, sum the page's 17 curves, draw the frame layer) and a full refresh.
#include "graph/response_plot.h"

#include "core/address_map.h"
#include "core/manual_scheduler.h"
#include "core/rounding.h"
#include "core/undo_history.h"
#include "core/value_tables.h"

#include <QApplication>

#include <benchmark/benchmark.h>

using namespace quorix;

namespace {

struct PlotBench {
    core::ParamStore store;
    core::ParamStore image;
    core::ViewState view;
    core::ManualScheduler clock;
    core::UndoHistory undo{store, view, clock};
    graph::DisplayLinks links{store, view, clock, nullptr, [] { return false; }, {}};
    graph::ResponsePlot plot{links, &undo};

    PlotBench(int width, int height)
    {
        core::InitParamStore(store, image);
        view.CurrentKind = 1; // 15 bands, a high-pass and a low-pass
        plot.resize(width, height);
        plot.show();
        QApplication::processEvents();
        plot.display().RefreshAllCurves(false);
        plot.DrawFrame();
    }
};

} // namespace

static void BM_DragStep(benchmark::State& state)
{
    PlotBench b(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const auto& g = b.plot.display().geometry();
    const auto& p = b.plot.display().points()[7];
    const double x = g.FrequencyToX(core::FrequencyAt(p.FreqIndex));
    b.plot.editor().MouseDown(x, g.GainToY(p.GainOrType), graph::GraphEditor::Left);
    double y = g.DbToY(0);
    for (auto _ : state) {
        y = y > g.DbToY(-20) ? g.DbToY(10) : y + 3;
        b.plot.editor().MouseMove(x, y);
        b.plot.DrawFrame();
    }
}
BENCHMARK(BM_DragStep)->Args({1920, 1080})->Args({1900, 700})->Unit(benchmark::kMillisecond);

static void BM_FullRefresh(benchmark::State& state)
{
    PlotBench b(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        b.plot.display().RefreshAllCurves(true);
        b.plot.DrawFrame();
    }
}
BENCHMARK(BM_FullRefresh)->Args({1920, 1080})->Unit(benchmark::kMillisecond);
