#pragma once

#include "recording_host.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/block_layout.h"
#include "link/device_link.h"

#include "core/address_map.h"
#include "core/manual_scheduler.h"

#include <gtest/gtest.h>

#include <sstream>

// The console's link against the virtual processor, in virtual time. Every
// journey ends by checking that the processor refused nothing the console sent
// beyond what the journey expects: a refusal is a console fault.
struct Journey : ::testing::Test {
    quorix::core::ManualScheduler clock;
    quorix::sim::VirtualProcessor processor;
    quorix::sim::SimUsbPort port{processor, clock};
    quorix::core::ParamStore store;
    quorix::core::ParamStore image;
    quorix::core::ViewState view;
    quorix::core::DigitBuffer digits;
    RecordingHost host;
    std::ostringstream trace;
    quorix::link::DeviceLink device{port, clock, {store, image, view, digits}, host, &trace};
    int expectedRefusals = 0;

    void SetUp() override
    {
        quorix::core::InitParamStore(store, image);
        device.start();
    }

    void TearDown() override
    {
        EXPECT_EQ(processor.refusals().count(), expectedRefusals)
            << "the processor refused what the console sent:\n" << processor.refusals().text();
    }

    void connect()
    {
        const int finished = host.transfersFinished;
        clock.runUntil([&] { return host.transfersFinished > finished; }, 20000);
    }

    // Every transferable kind of the store equals the processor's singing set
    // (or that of one of its presets).
    void expectStoreMatchesProcessor(int preset = -1)
    {
        const quorix::core::ParamStore theirs = preset < 0 ? processor.working() : processor.preset(preset);
        expectTransferableKindsEqual(store, theirs);
    }

    static void expectTransferableKindsEqual(const quorix::core::ParamStore& ours, const quorix::core::ParamStore& theirs)
    {
        for (int kind : {0, 1, 3, 4, 7, 8, 10})
            for (int a = quorix::core::KindFirst(kind); a <= quorix::core::KindLast(kind); ++a) {
                if (a == 0xA20)
                    continue; // the console sets the rights itself after a read
                const auto& o = ours.at(0, a);
                const auto& t = theirs.at(0, a);
                if (quorix::link::TravelsAsBand(a))
                    EXPECT_TRUE(o.Gain == t.Gain && o.FreqIndex == t.FreqIndex && o.QIndex == t.QIndex &&
                                o.Shape == t.Shape && o.ShelfQIndex == t.ShelfQIndex && o.BandOff == t.BandOff)
                        << "address " << a;
                else
                    EXPECT_EQ(o.Value, t.Value) << "address " << a;
            }
    }

    // Gain of a band of the processor's working singing set.
    void setProcessorGain(int address, int gain)
    {
        auto band = processor.band(0, address);
        band.gain = gain;
        processor.setBand(0, address, band);
    }
};
