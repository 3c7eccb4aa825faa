// The response plot at full-screen size: one drag step (recompute the selected
// curve, sum the page's 17 curves, draw the frame layer) beside its reference (the
// same frame drawn with QPainter's anti-aliased pens), and a full refresh.
#include "graph/curve_colours.h"
#include "graph/response_plot.h"

#include "controls/skin_draw.h"

#include "core/address_map.h"
#include "core/manual_scheduler.h"
#include "core/param_editor.h"
#include "core/rounding.h"
#include "core/undo_history.h"
#include "core/value_tables.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>

#include <benchmark/benchmark.h>

using namespace quorix;

namespace {

struct PlotBench {
    core::ParamStore store;
    core::ParamStore image;
    core::ViewState view;
    core::ManualScheduler clock;
    core::UndoHistory undo{store, view, clock};
    core::NullParamWriter noProcessor;
    core::ParamEditor edits{store, view, noProcessor, &undo};
    graph::DisplayLinks links{store, view, clock, edits};
    graph::ResponsePlot plot{links};

    PlotBench(int width, int height)
    {
        core::InitParamStore(store, image);
        view.currentKind = 1; // 15 bands, a high-pass and a low-pass
        plot.resize(width, height);
        plot.show();
        QApplication::processEvents();
        plot.display().refreshAllCurves(false);
        plot.drawFrame();
    }
};

} // namespace

namespace {

QPolygonF CurvePolygon(const graph::PlotGeometry& g, const float* db)
{
    QPolygonF polygon;
    for (int i = 0; i < g.points; ++i)
        polygon << QPointF(graph::PlotGeometry::kLeft + i, g.dbToY(db[i]));
    return polygon;
}

// The frame the straightforward way: the selected curve's fill and line and the
// total's 2-pixel line with QPainter's anti-aliased pens, then the same markers
// and label, over a copy of the layer below.
void DrawFrameWithPainter(graph::ResponsePlot& plot, const QImage& below, QImage& frame)
{
    const graph::ResponseDisplay& d = plot.display();
    const graph::PlotGeometry& g = d.geometry();
    frame = below.copy();
    QPainter p(&frame);
    p.setRenderHint(QPainter::Antialiasing);
    const graph::CurvePoint& selected = d.points()[static_cast<std::size_t>(d.selected())];
    const graph::Rgb c = graph::kCurveColours[selected.slot];
    QPolygonF line = CurvePolygon(g, d.curves().column(selected.slot));
    QPolygonF area = line;
    area.front().setY(g.zeroY);
    area.back().setY(g.zeroY);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(c.red, c.green, c.blue, 65));
    p.drawPolygon(area);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(c.red, c.green, c.blue, 0x70), 1));
    p.drawPolyline(line);
    p.setPen(QPen(QColor(255, 200, 0), 2));
    p.drawPolyline(CurvePolygon(g, d.curves().total().data()));
    for (std::size_t j = 0; j < d.points().size(); ++j) {
        const graph::CurvePoint& pt = d.points()[j];
        const double x = g.frequencyToX(core::FrequencyAt(pt.band.freqIndex));
        const double y = pt.type == graph::EqBandPoint ? g.gainToY(pt.band.gain) : g.zeroY;
        const int t = graph::ResponseDisplay::markerOffset(pt, static_cast<int>(j));
        if (static_cast<int>(j) == d.selected())
            controls::DrawSkinImage(p, 325 + t, x - 16, y - 16);
        else
            controls::DrawSkinImage(p, 342 + t, x - 8, y - 8);
    }
    for (int row = 0; row < 3; ++row)
        controls::DrawSkinText(p, "1000Hz", QColor(255, 255, 255, 0xB0), QStringLiteral("900,%1").arg(300 + 12 * row),
                               0, 12);
}

} // namespace

static void BM_DragStep(benchmark::State& state)
{
    PlotBench b(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const auto& g = b.plot.display().geometry();
    const auto& p = b.plot.display().points()[7];
    const double x = g.frequencyToX(core::FrequencyAt(p.band.freqIndex));
    b.plot.editor().press(x, g.gainToY(p.band.gain), graph::GraphEditor::Left);
    double y = g.dbToY(0);
    for (auto _ : state) {
        y = y > g.dbToY(-20) ? g.dbToY(10) : y + 3;
        b.plot.editor().drag(x, y);
        b.plot.drawFrame();
    }
}
BENCHMARK(BM_DragStep)->Args({1920, 1080})->Args({1900, 700})->Unit(benchmark::kMillisecond);

static void BM_DragStep_Reference(benchmark::State& state)
{
    PlotBench b(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const auto& g = b.plot.display().geometry();
    const auto& p = b.plot.display().points()[7];
    const double x = g.frequencyToX(core::FrequencyAt(p.band.freqIndex));
    b.plot.editor().press(x, g.gainToY(p.band.gain), graph::GraphEditor::Left);
    const QImage below = b.plot.frame().copy();
    QImage frame;
    double y = g.dbToY(0);
    for (auto _ : state) {
        y = y > g.dbToY(-20) ? g.dbToY(10) : y + 3;
        b.plot.editor().drag(x, y);
        DrawFrameWithPainter(b.plot, below, frame);
    }
}
BENCHMARK(BM_DragStep_Reference)->Args({1920, 1080})->Unit(benchmark::kMillisecond);

static void BM_FullRefresh(benchmark::State& state)
{
    PlotBench b(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        b.plot.display().refreshAllCurves(true);
        b.plot.drawFrame();
    }
}
BENCHMARK(BM_FullRefresh)->Args({1920, 1080})->Unit(benchmark::kMillisecond);
