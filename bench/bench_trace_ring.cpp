// The cost of the always-on trace ring, in virtual time against the virtual
// processor: a fader drag (120 edits at 60 a second, each queued, built, sent,
// answered and traced) and a minute of an idle link (ticks, keep-alives and
// their answers). Each runs with the ring and, as its reference, without it, in
// the same run; the ratio printed is the figure: at 0.98 or above, the ring
// costs under 2 % more CPU.
#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/device_link.h"
#include "link/null_link_host.h"
#include "link/trace_ring.h"

#include "core/address_map.h"
#include "core/manual_scheduler.h"
#include "core/param_editor.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace quorix;

namespace {

constexpr int kAddress = 1024; // main output music level, per mode
constexpr int kEvents = 120;
constexpr int kIdleMs = 60000;

struct SyncHost final : link::NullLinkHost {
    bool synchronised = false;
    void report(const link::LinkReport& report) override
    {
        if (report.code == link::LinkCode::Synchronised)
            synchronised = true;
    }
};

struct Rig {
    core::ManualScheduler clock;
    sim::VirtualProcessor processor;
    sim::SimUsbPort port{processor, clock};
    core::ParamStore store;
    core::ParamStore image;
    core::ViewState view;
    core::DigitBuffer digits;
    SyncHost host;
    link::TraceRing ring;
    std::unique_ptr<link::DeviceLink> device;
    std::unique_ptr<core::ParamEditor> editor;

    explicit Rig(bool withRing)
    {
        core::InitParamStore(store, image);
        device = std::make_unique<link::DeviceLink>(port, clock, link::LinkContext{store, image, view, digits}, host,
                                                    nullptr, withRing ? &ring : nullptr);
        editor = std::make_unique<core::ParamEditor>(store, view, *device);
        device->start();
        clock.runUntil([this] { return host.synchronised; }, 20000);
    }
};

enum class Work { Drag, Idle };

void Run(benchmark::State& state, Work work, bool withRing)
{
    std::size_t lines = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Rig rig(withRing);
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
        state.PauseTiming();
        lines = rig.ring.size();
        state.ResumeTiming();
    }
    state.counters["ring_lines"] = static_cast<double>(lines);
}

} // namespace

static void BM_TracedDrag(benchmark::State& state) { Run(state, Work::Drag, true); }
static void BM_TracedDrag_Reference(benchmark::State& state) { Run(state, Work::Drag, false); }
static void BM_TracedIdleMinute(benchmark::State& state) { Run(state, Work::Idle, true); }
static void BM_TracedIdleMinute_Reference(benchmark::State& state) { Run(state, Work::Idle, false); }
BENCHMARK(BM_TracedDrag)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_TracedDrag_Reference)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_TracedIdleMinute)->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_TracedIdleMinute_Reference)->Unit(benchmark::kMillisecond)->Repetitions(5);
