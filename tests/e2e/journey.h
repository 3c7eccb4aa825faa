#pragma once

#include "recording_host.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/block_layout.h"
#include "link/device_link.h"
#include "link/link_workspace.h"

#include "core/address_map.h"
#include "core/await_outcome.h"
#include "core/manual_scheduler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <sstream>
#include <vector>

// The console's link against the virtual processor, in virtual time. Every
// journey ends by checking that the processor refused nothing the console sent
// beyond what the journey expects: a refusal is a console fault.
struct Journey : ::testing::Test, quorix::link::LinkWorkspace {
    quorix::core::ManualScheduler clock;
    quorix::sim::VirtualProcessor processor;
    quorix::sim::SimUsbPort port{processor, clock};
    RecordingHost host;
    std::ostringstream trace;
    quorix::link::TraceRing ring;
    quorix::link::DeviceLink device{port, clock, context(), host, &trace, &ring};
    std::vector<std::unique_ptr<quorix::core::Timer>> actions;
    int expectedRefusals = 0;

    void SetUp() override { device.start(); }

    void TearDown() override
    {
        EXPECT_EQ(processor.refusals().count(), expectedRefusals) << "the processor refused what the console sent:\n"
                                                                  << processor.refusals().text();
    }

    // Starts a flow that tells whether it succeeded, and runs the clock until it has.
    bool told(const std::function<void(std::function<void(bool)>)>& start)
    {
        return quorix::core::AwaitOutcome<bool>(clock, start);
    }

    // The link's requests and transfers, each waited for on the virtual clock.
    bool readFromDevice(int preset, bool full, quorix::link::Command code)
    {
        return told([&](auto done) { device.readFromDevice(preset, full, code, done); });
    }
    bool writeToDevice(int preset)
    {
        return told([&](auto done) { device.writeToDevice(preset, done); });
    }
    bool readWorkingSet(int preset, quorix::core::ParamStore& target)
    {
        return told([&](auto done) { device.readWorkingSet(preset, target, done); });
    }
    bool writeParam(int address)
    {
        return told([&](auto done) { device.writeParam(address, done); });
    }
    bool sendCommand(quorix::link::Command command, int mode, int address)
    {
        return told([&](auto done) {
            device.sendCommand(command, mode, address,
                               [done](const quorix::link::RequestOutcome& outcome) { done(outcome.answered); });
        });
    }

    void connect()
    {
        const int finished = host.transfersFinished;
        clock.runUntil([&] { return host.transfersFinished > finished; }, 20000);
    }

    // Runs `action` `ms` from now on a timer of its own, as a click or a key
    // repeat would: actions due while another one waits run nested in its wait.
    void at(int ms, std::function<void()> action)
    {
        actions.push_back(clock.createTimer(ms, true, std::move(action)));
        actions.back()->start();
    }

    static void expectRecordsMatch(const quorix::core::ParamStore& ours, const quorix::core::ParamStore& theirs,
                                   int mode, int address)
    {
        const auto& o = ours.at(mode, address);
        const auto& t = theirs.at(mode, address);
        if (quorix::link::TravelsAsBand(address))
            EXPECT_TRUE(o.band.gain == t.band.gain && o.band.freqIndex == t.band.freqIndex &&
                        o.band.qIndex == t.band.qIndex && o.band.shape == t.band.shape &&
                        o.band.shelfQIndex == t.band.shelfQIndex && o.band.bandOff == t.band.bandOff)
                << "mode " << mode << " address " << address;
        else
            EXPECT_EQ(o.value, t.value) << "mode " << mode << " address " << address;
    }

    void expectRecordMatchesProcessor(int mode, int address)
    {
        expectRecordsMatch(store, processor.working(), mode, address);
    }

    // Every transferable kind of `ours` equals the singing set of `theirs`.
    static void expectTransferableKindsEqual(const quorix::core::ParamStore& ours,
                                             const quorix::core::ParamStore& theirs)
    {
        for (int kind : {0, 1, 3, 4, 7, 8, 10})
            for (int a = quorix::core::KindFirst(kind); a <= quorix::core::KindLast(kind); ++a)
                if (a != 0xA20) // the console sets the rights itself after a read
                    expectRecordsMatch(ours, theirs, 0, a);
    }

    // The store against the processor's working settings, or one of its presets.
    void expectStoreMatchesProcessor(int preset = -1)
    {
        expectTransferableKindsEqual(store, preset < 0 ? processor.working() : processor.preset(preset));
    }

    // Writes the loaded image with the processor unplugged during its third block: kinds 0 and 1 land.
    bool writeUnpluggedAtTheThirdBlock()
    {
        host.onProgress = [&](int done) {
            if (done == 2)
                port.unplugDuringNextBlockWrite();
        };
        const bool written = writeToDevice(view.currentPreset);
        host.onProgress = nullptr;
        return written;
    }

    // Gain of a band of the processor's working settings.
    void setProcessorGain(int address, int gain, int mode = 0)
    {
        auto band = processor.band(mode, address);
        band.gain = gain;
        processor.setBand(mode, address, band);
    }
};

// A valid incoming frame around `payload`, as the processor would send it.
inline quorix::link::Bytes ReplyFrame(const quorix::link::Bytes& payload)
{
    quorix::link::Bytes frame(payload.size() + 3);
    frame[0] = quorix::link::kFrameStart;
    frame[1] = static_cast<std::uint8_t>(frame.size());
    std::copy(payload.begin(), payload.end(), frame.begin() + 2);
    frame.back() = quorix::link::FrameChecksum(std::span(frame).first(frame.size() - 1));
    return frame;
}
