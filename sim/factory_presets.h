#pragma once

#include "core/param_store.h"

namespace quorix::sim {

// Gives a store the tuning of a factory preset: 0 KTV (the defaults), 1 PRO
// (flat music, brighter microphones, tighter outputs), 2 SPCH (speech: high-pass
// microphones, presence lift, short echo). Other numbers leave it unchanged.
void ApplyFactoryTuning(core::ParamStore& store, int preset);

} // namespace quorix::sim
