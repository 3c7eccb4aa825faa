// The cost of the always-on trace ring, in virtual time against the virtual
// processor: a fader drag (600 edits at 60 a second, each queued, built, sent,
// answered and traced) and ten minutes of an idle link (ticks, keep-alives and
// their answers). Only the link and the virtual processor run, with none of
// the window's work, so the ring's share here is larger than in the console. Each runs with the ring and, as its reference, without it, in
// the same run; the ratio printed is the figure: at 0.98 or above, the ring
// costs under 2 % more CPU.
#include "virtual_rig.h"

#include "link/device_link.h"
#include "link/trace_ring.h"

#include "core/address_map.h"
#include "core/manual_scheduler.h"
#include "core/param_editor.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace quorix;

namespace {

constexpr int kAddress = 1024; // main output music level, per mode
constexpr int kEvents = 600;                // ten seconds of dragging
constexpr int kIdleMs = 10 * 60 * 1000;     // ten minutes of an idle link

struct Rig : VirtualRig {
    SynchronisationHost host;
    std::unique_ptr<link::DeviceLink> device;
    std::unique_ptr<core::ParamEditor> editor;

    explicit Rig(link::TraceRing* ring)
    {
        device = std::make_unique<link::DeviceLink>(port, clock, link::LinkContext{store, image, view, digits}, host,
                                                    nullptr, ring);
        editor = std::make_unique<core::ParamEditor>(store, view, *device);
        device->start();
        clock.runUntil([this] { return host.synchronisations > 0; }, 20000);
    }
};

enum class Work { Drag, Idle };

void Run(benchmark::State& state, Work work, bool withRing)
{
    // The ring lives as long as the program, as the console's does; each link is new.
    link::TraceRing ring;
    for (auto _ : state) {
        state.PauseTiming();
        Rig rig(withRing ? &ring : nullptr);
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

} // namespace

static void BM_TracedDrag(benchmark::State& state) { Run(state, Work::Drag, true); }
static void BM_TracedDrag_Reference(benchmark::State& state) { Run(state, Work::Drag, false); }
static void BM_TracedIdleLink(benchmark::State& state) { Run(state, Work::Idle, true); }
static void BM_TracedIdleLink_Reference(benchmark::State& state) { Run(state, Work::Idle, false); }
BENCHMARK(BM_TracedDrag)->Unit(benchmark::kMillisecond)->Repetitions(10);
BENCHMARK(BM_TracedDrag_Reference)->Unit(benchmark::kMillisecond)->Repetitions(10);
BENCHMARK(BM_TracedIdleLink)->Unit(benchmark::kMillisecond)->Repetitions(10);
BENCHMARK(BM_TracedIdleLink_Reference)->Unit(benchmark::kMillisecond)->Repetitions(10);
