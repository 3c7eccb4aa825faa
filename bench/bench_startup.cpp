// Start-up of the console with its virtual processor, from process start to the
// first painted frame of the main window, against a bare Qt program that
// decodes the same images and opens a window of as many widgets, in the same run.
// Both run on the offscreen platform; peak memory is the child's maximum RSS.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

// Runs the program to its end; returns false when it could not run or failed.
bool Run(const char* path, std::vector<std::string> args, double& seconds, long& maxRssKb)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path));
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, path, nullptr, nullptr, argv.data(), environ) != 0)
        return false;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return false;
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    maxRssKb = usage.ru_maxrss;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Measure(benchmark::State& state, const char* path, std::vector<std::string> args)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    long peak = 0;
    for (auto _ : state) {
        double seconds = 0;
        long rss = 0;
        if (!Run(path, args, seconds, rss)) {
            state.SkipWithError("the program did not run to its end");
            return;
        }
        state.SetIterationTime(seconds);
        peak = std::max(peak, rss);
    }
    state.counters["peak_MB"] = static_cast<double>(peak) / 1024.0;
}

void ConsoleWithSimulator(benchmark::State& state)
{
    Measure(state, QUORIX_CONSOLE_PATH,
            {"--simulator", "--quit-after-first-frame", "--mode-dir", "/tmp/quorix-bench-mode"});
}

void BareQtWindow(benchmark::State& state)
{
    Measure(state, QUORIX_BARE_WINDOW_PATH, {});
}

} // namespace

BENCHMARK(BareQtWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15)
    ->Repetitions(3)
    ->ReportAggregatesOnly();
BENCHMARK(ConsoleWithSimulator)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

BENCHMARK_MAIN();
