// The link in real time: the Qt scheduler, the port's wake-ups and the 50 ms
// tick against the virtual processor paced like a full-speed USB endpoint. The
// reference is the USB floor of each synchronisation: the paced endpoint
// delivers one input report a millisecond, so it cannot end sooner than one
// millisecond for each report the console read.
#include "usb_floor.h"
#include "virtual_rig.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/device_link.h"
#include "link/null_link_host.h"
#include "link/qt_scheduler.h"

#include "core/address_map.h"
#include "core/await_outcome.h"

#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>

using namespace quorix;

namespace {

struct OnlineLink : VirtualRigOn<link::QtScheduler> {
    SyncEndHost host;
    link::DeviceLink device{port, clock, context(), host};

    OnlineLink()
    {
        port.setFullSpeedPacing(true);
        device.start();
        while (host.synchronisations == 0)
            clock.processPendingEvents();
    }
};

} // namespace

static void BM_FullSynchronisationPaced(benchmark::State& state)
{
    OnlineLink link;
    for (auto _ : state)
        MeasureSynchronisationAgainstFloor(state, link.clock, link.device, link.port);
}
BENCHMARK(BM_FullSynchronisationPaced)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(30);

static void BM_IdleOnlineTenSeconds(benchmark::State& state)
{
    OnlineLink link;
    for (auto _ : state) {
        const std::clock_t cpuStart = std::clock();
        QEventLoop loop;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        const double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        state.counters["cpu_percent_of_one_core"] = cpuSeconds / 10.0 * 100.0;
        state.counters["still_online"] = link.device.online() ? 1 : 0;
    }
}
BENCHMARK(BM_IdleOnlineTenSeconds)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
