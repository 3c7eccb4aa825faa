#pragma once

#include "processor_memory.h"

#include "core/param_store.h"

namespace quorix::sim {

// Between the processor's memory and a store of the console's shape: how the
// processor takes its factory contents and how tests and tools look at it.
// Only the fields that travel are carried; class, definition and sharing of
// every record come from the console's default layout.
ProcessorMemory MemoryFromStore(const core::ParamStore& store);
core::ParamStore StoreFromMemory(const ProcessorMemory& memory);

} // namespace quorix::sim
