#pragma once

#include "param_record.h"

#include <cstdint>
#include <optional>

namespace quorix::core {

// The largest value two base-250 digits carry to the processor.
inline constexpr std::int32_t kLargestWireValue = 250 * 250 - 1;
inline constexpr std::int32_t kBandOffFrequencyOffset = 30000;

enum class RecordField { Class, Value, Shape, FreqIndex, Gain, QIndex, ShelfQIndex, Defined, PerMode, BandOff };

enum class RecordRule {
    OutOfRange,     // value is not within lowest..highest
    DiffersFromMap, // the address map holds lowest (== highest) here; a flag reads -1 for true
    NotABoolean,    // a file's 16-bit boolean that is neither 0 nor -1
};

// Why a record from outside the console cannot be taken, as data: each program
// words it in its own language.
struct RecordFault {
    RecordField field = RecordField::Class;
    RecordRule rule = RecordRule::OutOfRange;
    std::int64_t value = 0;
    std::int64_t lowest = 0;
    std::int64_t highest = 0;

    bool operator==(const RecordFault&) const = default;
};

struct FieldRange {
    std::int64_t lowest = 0;
    std::int64_t highest = 0;
};

// What a defined record may hold in its value and in each band field (the
// frequency index by whether the band is off): CheckRecord and every reader of
// records from outside refuse the rest alike.
FieldRange WireRange(RecordField field, bool bandOff);

// Checks a record against `layout`, the record the address map puts at the same
// place: class, the defined flag and the per-mode flag must agree with it,
// every field a defined record sends must fit the wire, a band's Q index must
// name a row of its table and its gain code lie within ±25 dB (noise that
// passed a checksum makes far larger ones). Values inside these ranges but
// outside a scale (a gain code of 400, a frequency index of 29999) are taken as
// they come; whoever draws or shows them clamps. Files and the processor's
// replies pass this alike, so whatever a file writes to the processor reads back.
std::optional<RecordFault> CheckRecord(const ParamRecord& record, const ParamRecord& layout);

// The layout a record at (mode, address) is checked against. A synchronisation
// mirrors every processor-wide record into the dance set, so a defined record
// there is checked against the singing set's.
const ParamRecord& LayoutFor(int mode, int address, const ParamRecord& record);

} // namespace quorix::core
