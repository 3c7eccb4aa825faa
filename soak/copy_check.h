#pragma once

#include "sim/virtual_processor.h"

#include "core/param_store.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quorix::soak {

using Copy = std::pair<int, int>; // (mode index, flat address)

// Whether the processor's copy (mode, address) holds what the store holds,
// compared as the processor keeps it (a band's six fields, or a value).
bool HoldsStoreValue(const sim::VirtualProcessor& processor, const core::ParamStore& store, int mode, int address);

// Every parameter copy the processor holds (kinds 0..7 in both sets, 8..10 in
// the singing set) that differs from the store and is not `marked`. The rights
// are the console's own, set after each read, and are passed over.
std::vector<Copy> UnmarkedDifferences(const sim::VirtualProcessor& processor, const core::ParamStore& store,
                                      const std::function<bool(int mode, int address)>& marked);

// "dance 0x200 (store 123, processor 74)".
std::string DescribeCopy(const sim::VirtualProcessor& processor, const core::ParamStore& store, const Copy& copy);

} // namespace quorix::soak
