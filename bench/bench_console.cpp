// The main tuning window offscreen: a page switch from the click to the painted
// window, against painting the whole window without a switch (painting alone).
#include "offscreen_console.h"

#include "core/manual_scheduler.h"

#include <benchmark/benchmark.h>

using namespace quorix;

namespace {

using Console = OffscreenConsoleOn<core::ManualScheduler>;

void PageSwitch(benchmark::State& state)
{
    Console console;
    int page = 0;
    for (auto _ : state) {
        page = (page + 1) % 8;
        console.window.pages().showPage(page);
        benchmark::DoNotOptimize(console.window.grab());
    }
}

void PaintWholeWindow(benchmark::State& state)
{
    Console console;
    for (auto _ : state)
        benchmark::DoNotOptimize(console.window.grab());
}

} // namespace

BENCHMARK(PaintWholeWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(PageSwitch)->Unit(benchmark::kMillisecond);
