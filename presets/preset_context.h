#pragma once

#include "link/device_link.h"
#include "link/link_host.h"

#include "core/common_addresses.h"
#include "core/digit_buffer.h"
#include "core/param_store.h"
#include "core/view_state.h"

namespace quorix::presets {

// The console state the flows read and change.
struct PresetContext {
    link::DeviceLink& link;
    const core::ParamStore& store;
    core::ParamStore& image; // StoreImage: a configuration read from a file
    core::ViewState& view;
    core::DigitBuffer& digits;
    link::LinkHost& screen; // the preset indicator
};

inline constexpr int kFirstUserPreset = 3; // USER1
inline constexpr int kLastPreset = 7;      // USER5

inline bool GuestUser(const core::ParamStore& store)
{
    return store.at(0, core::kRightsAddress).value == 0;
}

} // namespace quorix::presets
