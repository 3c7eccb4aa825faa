// Skinned controls: decoding the skin set at start-up beside its reference (the
// same PNG files decoded with QImage one by one) and repainting a band fader while
// it is dragged.
#include "controls/skin_cache.h"
#include "controls/skinned_fader.h"
#include "controls/store_marks.h"

#include "core/address_map.h"
#include "core/manual_scheduler.h"

#include <QDir>
#include <QImage>

#include <benchmark/benchmark.h>

using namespace quorix;

static void BM_SkinCacheLoad(benchmark::State& state)
{
    for (auto _ : state) {
        controls::SkinCache cache;
        benchmark::DoNotOptimize(cache.loadedCount());
    }
}
BENCHMARK(BM_SkinCacheLoad)->Unit(benchmark::kMillisecond);

static void BM_SkinCacheLoad_Reference(benchmark::State& state)
{
    const QStringList files = QDir(":/skin").entryList({"*.png"});
    for (auto _ : state) {
        int decoded = 0;
        for (const QString& file : files)
            decoded += QImage(":/skin/" + file).isNull() ? 0 : 1;
        benchmark::DoNotOptimize(decoded);
    }
    state.counters["files"] = static_cast<double>(files.size());
}
BENCHMARK(BM_SkinCacheLoad_Reference)->Unit(benchmark::kMillisecond);

static void BM_BandFaderRepaintDuringDrag(benchmark::State& state)
{
    core::ParamStore store;
    core::ParamStore image;
    core::InitParamStore(store, image);
    core::ViewState view;
    core::ManualScheduler clock;
    const controls::StoreMarks marks(store, view);
    controls::SkinnedFader band(nullptr, {&marks, &clock});
    band.setKind(controls::FaderKind::Band);
    band.setLabelID(0);
    band.address = 0;
    QImage target(band.size(), QImage::Format_ARGB32_Premultiplied);
    band.render(&target); // builds the static layer once, as the first paint does
    int gain = 10;
    for (auto _ : state) {
        gain = gain >= 370 ? 10 : gain + 7;
        band.setValue(static_cast<float>(gain));
        band.render(&target);
    }
}
BENCHMARK(BM_BandFaderRepaintDuringDrag)->Unit(benchmark::kMicrosecond);
