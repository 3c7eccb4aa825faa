#include "core/address_map.h"
#include "core/config_file.h"
#include "core/manual_scheduler.h"
#include "core/param_editor.h"
#include "core/undo_history.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace quorix::core;

static void BM_InitParamStore(benchmark::State& state)
{
    ParamStore store;
    ParamStore image;
    for (auto _ : state) {
        InitParamStore(store, image);
        benchmark::DoNotOptimize(store.at(0, 0).band.gain);
    }
}
BENCHMARK(BM_InitParamStore);

namespace {

struct UndoBench {
    ParamStore store;
    ParamStore image;
    ViewState view;
    ManualScheduler clock;
    UndoHistory history{store, view, clock};
    UndoBench()
    {
        InitParamStore(store, image);
        for (int i = 0; i < UndoHistory::kSlots; ++i)
            history.pushSnapshot();
    }
};

} // namespace

static void BM_PushSnapshotFullRing(benchmark::State& state)
{
    UndoBench b;
    for (auto _ : state)
        b.history.pushSnapshot();
}
BENCHMARK(BM_PushSnapshotFullRing);

static void BM_UndoRedoRoundTrip(benchmark::State& state)
{
    UndoBench b;
    struct CountingWriter final : ParamWriter {
        int sends = 0;
        void queueWrite(int, int) override { ++sends; }
    } writer;
    ParamEditor editor{b.store, b.view, writer, &b.history};
    b.store.at(0, 3).band.gain = 300; // one slider moved since the last snapshot
    for (auto _ : state) {
        b.history.undo(editor);
        b.history.redo(editor);
    }
    benchmark::DoNotOptimize(writer.sends);
}
BENCHMARK(BM_UndoRedoRoundTrip);

static void BM_SaveConfigurationFile(benchmark::State& state)
{
    const ParamStore& store = DefaultParamStore();
    const auto path = std::filesystem::temp_directory_path() / "quorix-bench-save.quorix";
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveConfigurationFile(path, store).ok);
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveConfigurationFile);

static void BM_LoadConfigurationFile(benchmark::State& state)
{
    const auto path = std::filesystem::temp_directory_path() / "quorix-bench-load.quorix";
    SaveConfigurationFile(path, DefaultParamStore());
    ParamStore image;
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadConfigurationFile(path, image).ok);
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadConfigurationFile);
