#pragma once

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "link/null_link_host.h"

#include "core/address_map.h"
#include "core/digit_buffer.h"
#include "core/manual_scheduler.h"
#include "core/param_store.h"
#include "core/processor_record.h"
#include "core/store_taker.h"
#include "core/view_state.h"

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
struct VirtualRigOn {
    Clock clock;
    quorix::sim::VirtualProcessor processor;
    quorix::sim::SimUsbPort port{processor, clock};
    quorix::core::ParamStore store;
    quorix::core::ParamStore image;
    quorix::core::ViewState view;
    quorix::core::DigitBuffer digits;
    quorix::core::ProcessorRecord record;
    quorix::core::StoreCopies copies{store};

    VirtualRigOn() { quorix::core::InitParamStore(store, image); }
};

using VirtualRig = VirtualRigOn<quorix::core::ManualScheduler>;
