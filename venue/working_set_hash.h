#pragma once

#include "core/param_store.h"

#include <string>

namespace quorix::venue {

// The room state's "workingSetHash" of a store: its transferred set's
// fingerprint in 16 hexadecimal digits, so a reference file compares with a room.
std::string WorkingSetHash(const core::ParamStore& store);

} // namespace quorix::venue
