#pragma once

#include "device_link.h"

#include "core/address_map.h"

namespace quorix::link {

// What a link works on where no window shows the store (quorix-cli, the room
// agent, tests and benchmarks), owned together: the store with its defaults, the
// file image, the view, the digits and the processor record; what the processor
// sends goes straight into the store.
struct LinkWorkspace {
    LinkWorkspace() { core::InitParamStore(store, image); }
    LinkWorkspace(const LinkWorkspace&) = delete; // `copies` writes to this store
    LinkWorkspace& operator=(const LinkWorkspace&) = delete;

    LinkContext context() { return {store, image, view, digits, record, copies}; }

    core::ParamStore store;
    core::ParamStore image;
    core::ViewState view;
    core::DigitBuffer digits;
    core::ProcessorRecord record;
    core::StoreCopies copies{store};
};

} // namespace quorix::link
