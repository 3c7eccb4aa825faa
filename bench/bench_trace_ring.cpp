// The cost of the always-on trace ring: a fader drag (600 edits at 60 a
// second, each queued, built, sent, answered and traced) and ten minutes of an
// idle link (ticks, keep-alives and their answers) in virtual time, and a drag
// in real time on Qt's event loop. Each runs with the ring and, as its
// reference, without it, in the same run; the ratio printed is the figure: at
// 0.98 or above, the ring costs under 2 % more CPU. Only the link and the
// virtual processor run, none of the window's work, so the ring's share here
// is larger than in the console.
#include "virtual_rig.h"

#include "link/device_link.h"
#include "link/qt_scheduler.h"
#include "link/trace_ring.h"

#include "core/address_map.h"
#include "core/manual_scheduler.h"
#include "core/param_editor.h"

#include <benchmark/benchmark.h>

#include <QEventLoop>
#include <QTimer>

#include <ctime>
#include <memory>

using namespace quorix;

namespace {

constexpr int kAddress = 1024;          // main output music level, per mode
constexpr int kEvents = 600;            // ten seconds of dragging
constexpr int kIdleMs = 10 * 60 * 1000; // ten minutes of an idle link
constexpr int kRealTimeDragMs = 3000;

template <class Clock>
struct Rig : VirtualRigOn<Clock> {
    SynchronisationHost host;
    std::unique_ptr<link::DeviceLink> device;
    std::unique_ptr<core::ParamEditor> editor;

    explicit Rig(link::TraceRing* ring)
    {
        device = std::make_unique<link::DeviceLink>(this->port, this->clock, this->context(), host, nullptr, ring);
        editor = std::make_unique<core::ParamEditor>(this->store, this->view, *device);
        device->start();
        while (host.synchronisations == 0)
            this->clock.processPendingEvents();
    }
};

enum class Work { Drag, Idle };

void Run(benchmark::State& state, Work work, bool withRing)
{
    // The ring lives as long as the program, as the console's does; each link is new.
    link::TraceRing ring;
    for (auto _ : state) {
        state.PauseTiming();
        Rig<core::ManualScheduler> rig(withRing ? &ring : nullptr);
        state.ResumeTiming();
        if (work == Work::Drag) {
            for (int i = 0; i < kEvents; ++i) {
                rig.editor->setValue(kAddress, 20 + i % 100);
                rig.clock.advance(1000 / 60);
            }
            rig.clock.advance(1000);
        } else {
            rig.clock.advance(kIdleMs);
        }
    }
    state.counters["ring_lines"] = static_cast<double>(ring.size());
}

// The drag in real time on Qt's event loop, with the virtual processor paced
// like a full-speed USB endpoint, as the console runs against it: the process's
// CPU seconds over the drag. The window's own work is still left out.
void RunRealTime(benchmark::State& state, bool withRing)
{
    link::TraceRing ring;
    for (auto _ : state) {
        Rig<link::QtScheduler> rig(withRing ? &ring : nullptr);
        rig.port.setFullSpeedPacing(true);
        int event = 0;
        QTimer edits;
        QObject::connect(&edits, &QTimer::timeout, [&] { rig.editor->setValue(kAddress, 20 + event++ % 100); });
        const std::clock_t cpuStart = std::clock();
        edits.start(1000 / 60);
        QEventLoop loop;
        QTimer::singleShot(kRealTimeDragMs, &loop, &QEventLoop::quit);
        loop.exec();
        edits.stop();
        state.SetIterationTime(static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
    }
    state.counters["ring_lines"] = static_cast<double>(ring.size());
}

} // namespace

static void BM_TracedDrag(benchmark::State& state)
{
    Run(state, Work::Drag, true);
}
static void BM_TracedDrag_Reference(benchmark::State& state)
{
    Run(state, Work::Drag, false);
}
static void BM_TracedIdleLink(benchmark::State& state)
{
    Run(state, Work::Idle, true);
}
static void BM_TracedIdleLink_Reference(benchmark::State& state)
{
    Run(state, Work::Idle, false);
}
BENCHMARK(BM_TracedDrag)->Unit(benchmark::kMillisecond)->Repetitions(10);
BENCHMARK(BM_TracedDrag_Reference)->Unit(benchmark::kMillisecond)->Repetitions(10);
BENCHMARK(BM_TracedIdleLink)->Unit(benchmark::kMillisecond)->Repetitions(10);
BENCHMARK(BM_TracedIdleLink_Reference)->Unit(benchmark::kMillisecond)->Repetitions(10);

static void BM_RealTimeDrag(benchmark::State& state)
{
    RunRealTime(state, true);
}
static void BM_RealTimeDrag_Reference(benchmark::State& state)
{
    RunRealTime(state, false);
}
BENCHMARK(BM_RealTimeDrag)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
BENCHMARK(BM_RealTimeDrag_Reference)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);
