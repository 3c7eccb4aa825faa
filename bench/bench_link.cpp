// The link in real time: the Qt scheduler, the 5 ms poll and the 50 ms tick
// against the virtual processor paced like a full-speed USB endpoint.
#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/device_link.h"
#include "link/null_link_host.h"
#include "link/qt_scheduler.h"

#include "core/address_map.h"

#include <QEventLoop>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <ctime>

using namespace quorix;

namespace {

// Remembers only whether the synchronisation has ended.
struct QuietHost final : link::NullLinkHost {
    int synchronisations = 0;
    void synchronised(bool) override { ++synchronisations; }
};

struct OnlineLink {
    link::QtScheduler scheduler;
    sim::VirtualProcessor processor;
    sim::SimUsbPort port{processor, scheduler};
    core::ParamStore store;
    core::ParamStore image;
    core::ViewState view;
    core::DigitBuffer digits;
    QuietHost host;
    link::DeviceLink device{port, scheduler, {store, image, view, digits}, host};

    OnlineLink()
    {
        core::InitParamStore(store, image);
        port.setFullSpeedPacing(true);
        device.start();
        while (host.synchronisations == 0)
            scheduler.processPendingEvents();
    }
};

} // namespace

static void BM_FullSynchronisationPaced(benchmark::State& state)
{
    OnlineLink link;
    for (auto _ : state) {
        if (!link.device.ReadFromDevice(0, true, link::Command::ReadBlock))
            state.SkipWithError("synchronisation failed");
    }
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
        state.counters["still_online"] = link.device.LinkOnline() ? 1 : 0;
    }
}
BENCHMARK(BM_IdleOnlineTenSeconds)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);
