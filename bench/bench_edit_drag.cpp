// A fader dragged at 60 events a second against the virtual processor answering
// each request 20 ms later, in virtual time. Ours: each event goes through the
// edit path into the link's write queue. The reference: each event's write
// waits for its reply, as every control edit did before the queue. The time of
// one event is the real time its handler took plus the virtual time that passed
// inside it (the wait for the reply); an iteration reports the slowest event of
// a two-second drag.
#include "virtual_rig.h"

#include "link/device_link.h"

#include "core/address_map.h"
#include "core/await_outcome.h"
#include "core/manual_scheduler.h"
#include "core/param_editor.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <string>

using namespace quorix;

namespace {

constexpr int kAddress = 1024; // main output music level, per mode
constexpr int kEvents = 120;   // two seconds at 60 events a second
constexpr int kReplyDelayMs = 20;

struct DragRig : VirtualRig {
    SynchronisationHost host;
    std::ostringstream trace;
    link::DeviceLink device{port, clock, context(), host, &trace};
    core::ParamEditor editor{store, view, device};

    DragRig()
    {
        device.start();
        clock.runUntil([this] { return host.synchronisations > 0; }, 20000);
        port.setReplyDelay(kReplyDelayMs);
        trace.str({});
    }

    // Most WriteParam requests on the wire at once, as the trace saw them.
    int mostOnWire() const
    {
        std::istringstream lines(trace.str());
        int onWire = 0;
        int most = 0;
        for (std::string line; std::getline(lines, line);) {
            if (line.find("WriteParam") == std::string::npos)
                continue;
            onWire += line.find(" TX ") != std::string::npos ? 1 : -1;
            most = std::max(most, onWire);
        }
        return most;
    }
};

enum class Handling { Queued, Waited };

void Drag(benchmark::State& state, Handling handling)
{
    double slowest = 0;
    double total = 0;
    int mostQueued = 0;
    int mostOnWire = 0;
    int requests = 0;
    bool endsAtFinal = true;
    for (auto _ : state) {
        DragRig rig;
        const std::int64_t start = rig.clock.nowMs();
        const int requestsBefore = rig.processor.requestsReceived();
        double slowestEvent = 0;
        for (int i = 0; i < kEvents; ++i) {
            const std::int64_t due = start + i * 1000 / 60;
            if (rig.clock.nowMs() < due)
                rig.clock.advance(due - rig.clock.nowMs());
            const int value = 20 + i % 100;
            const std::int64_t virtualBefore = rig.clock.nowMs();
            const auto realBefore = std::chrono::steady_clock::now();
            if (handling == Handling::Queued) {
                rig.editor.setValue(kAddress, value);
            } else {
                rig.editor.apply(kAddress, [value](core::ParamRecord& r) { r.value = value; });
                core::AwaitOutcome<bool>(rig.clock,
                                         [&](auto done) { rig.device.writeParam(kAddress, std::move(done)); });
            }
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - realBefore).count() +
                static_cast<double>(rig.clock.nowMs() - virtualBefore) / 1000.0;
            slowestEvent = std::max(slowestEvent, seconds);
            total += seconds;
            mostQueued = std::max(mostQueued, rig.device.queuedWrites(0, kAddress));
        }
        rig.clock.advance(1000);
        requests += rig.processor.requestsReceived() - requestsBefore;
        endsAtFinal = endsAtFinal && rig.processor.value(0, kAddress) == rig.store.at(0, kAddress).value;
        mostOnWire = std::max(mostOnWire, rig.mostOnWire());
        state.SetIterationTime(slowestEvent);
        slowest = std::max(slowest, slowestEvent);
    }
    state.counters["slowest_ms"] = slowest * 1000.0;
    state.counters["mean_ms"] = total * 1000.0 / (static_cast<double>(state.iterations()) * kEvents);
    state.counters["most_on_wire"] = mostOnWire;
    state.counters["most_queued_per_address"] = mostQueued;
    state.counters["requests_per_drag"] = requests / static_cast<double>(state.iterations());
    if (!endsAtFinal)
        state.SkipWithError("the processor did not end at the final value");
}

} // namespace

static void BM_FaderDrag60HzReply20ms(benchmark::State& state)
{
    Drag(state, Handling::Queued);
}
BENCHMARK(BM_FaderDrag60HzReply20ms)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

static void BM_FaderDrag60HzReply20ms_Reference(benchmark::State& state)
{
    Drag(state, Handling::Waited);
}
BENCHMARK(BM_FaderDrag60HzReply20ms_Reference)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(3);
