#pragma once

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/link_workspace.h"
#include "link/null_link_host.h"

#include "core/manual_scheduler.h"

// A screen that only counts the full reads that ended well.
struct SynchronisationHost final : quorix::link::NullLinkHost {
    int synchronisations = 0;
    void report(const quorix::link::LinkReport& report) override
    {
        if (report.code == quorix::link::LinkCode::Synchronised)
            ++synchronisations;
    }
};

// What the console's link works on, against the virtual processor, in virtual
// time or, with a QtScheduler, in real time.
template <class Clock>
struct VirtualRigOn : quorix::link::LinkWorkspace {
    Clock clock;
    quorix::sim::VirtualProcessor processor;
    quorix::sim::SimUsbPort port{processor, clock};
};

using VirtualRig = VirtualRigOn<quorix::core::ManualScheduler>;
