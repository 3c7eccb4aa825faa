#pragma once

#include "sim/sim_usb_port.h"

#include "link/device_link.h"
#include "link/null_link_host.h"

#include "core/await_outcome.h"

#include <benchmark/benchmark.h>

#include <chrono>

// Remembers only whether the synchronisation has ended.
struct SyncEndHost final : quorix::link::NullLinkHost {
    int synchronisations = 0;
    void report(const quorix::link::LinkReport& report) override
    {
        if (report.code == quorix::link::LinkCode::Synchronised || report.code == quorix::link::LinkCode::SyncFailed)
            ++synchronisations;
    }
};

// A full read of the processor, its outcome awaited.
inline bool ReadAll(quorix::core::Scheduler& scheduler, quorix::link::DeviceLink& device)
{
    return quorix::core::AwaitOutcome<bool>(scheduler, [&](auto done) {
        device.readFromDevice(0, true, quorix::link::Command::ReadBlock, std::move(done));
    });
}

// One full synchronisation in real time against its USB floor: the paced
// endpoint delivers one input report a millisecond, so it cannot end sooner than
// one millisecond for each report the console read.
inline void MeasureSynchronisationAgainstFloor(benchmark::State& state, quorix::core::Scheduler& scheduler,
                                               quorix::link::DeviceLink& device, const quorix::sim::SimUsbPort& port)
{
    const int reportsBefore = port.reportsRead();
    const auto start = std::chrono::steady_clock::now();
    if (!ReadAll(scheduler, device))
        state.SkipWithError("synchronisation failed");
    const std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    const double floorMs = port.reportsRead() - reportsBefore;
    state.counters["usb_floor_ms"] = floorMs;
    state.counters["x_usb_floor"] = elapsed.count() / floorMs;
}
