#pragma once

#include "param_diff.h"
#include "param_store.h"

#include <cstdint>
#include <vector>

namespace quorix::core {

// What a block transfer moves to and from the processor: the singing set of the
// kinds moved as blocks, less the console's own record of the user's rights,
// which is not a setting.
bool InTransferredSet(int address);

// Where a configuration and what was read back after it hold the transferred set differently.
std::vector<ParamDifference> TransferredDifferences(const ParamStore& file, const ParamStore& read);

// A fingerprint of the transferred set (64-bit FNV-1a over its defined records),
// equal for two stores exactly when they hold it alike, as far as a hash can tell.
std::uint64_t TransferredSetHash(const ParamStore& store);

} // namespace quorix::core
