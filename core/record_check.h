#pragma once

#include "param_record.h"

#include <string>

namespace quorix::core {

// The largest value two base-250 digits carry to the processor.
inline constexpr std::int32_t kLargestWireValue = 250 * 250 - 1;
inline constexpr std::int32_t kBandOffFrequencyOffset = 30000;

// Why a record from outside the console cannot be taken, or empty when it can.
// `layout` is the record the address map puts at the same place: class, the
// defined flag and the per-mode flag must agree with it, and every field a
// defined record sends must fit the wire. Values inside the wire's range but
// outside a scale (a gain code of 400, a frequency index of 29999) are taken
// as they come; whoever draws or shows them clamps.
std::string RecordFault(const ParamRecord& record, const ParamRecord& layout);

} // namespace quorix::core
