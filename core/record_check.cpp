#include "record_check.h"

#include "address_map.h"
#include "value_tables.h"

namespace quorix::core {

namespace {

constexpr int kShapeCount = 3;         // peaking, low shelf, high shelf
constexpr int kLargestByteValue = 249; // a one-byte field stays below the signal bytes
constexpr int kLargestGainCode = 500;

std::optional<RecordFault> Within(RecordField field, std::int64_t value, std::int64_t lowest, std::int64_t highest)
{
    if (value >= lowest && value <= highest)
        return std::nullopt;
    return RecordFault{field, RecordRule::OutOfRange, value, lowest, highest};
}

std::optional<RecordFault> Agrees(RecordField field, std::int64_t value, std::int64_t expected)
{
    if (value == expected)
        return std::nullopt;
    return RecordFault{field, RecordRule::DiffersFromMap, value, expected, expected};
}

std::int64_t Flag(bool value)
{
    return value ? -1 : 0;
}

std::optional<RecordFault> BandFault(const ParamRecord& r)
{
    const auto within = [&r](RecordField field, std::int64_t value) {
        const FieldRange range = WireRange(field, r.band.bandOff);
        return Within(field, value, range.lowest, range.highest);
    };
    for (const auto& fault :
         {within(RecordField::Shape, r.band.shape), within(RecordField::ShelfQIndex, r.band.shelfQIndex),
          within(RecordField::FreqIndex, r.band.freqIndex), within(RecordField::Gain, r.band.gain),
          within(RecordField::QIndex, r.band.qIndex)})
        if (fault)
            return fault;
    return std::nullopt;
}

} // namespace

FieldRange WireRange(RecordField field, bool bandOff)
{
    switch (field) {
    case RecordField::Shape:
        return {0, kShapeCount - 1};
    case RecordField::ShelfQIndex:
        return {0, kLargestByteValue};
    case RecordField::FreqIndex:
        // A band that is on must stay below the off offset, or it would arrive switched off.
        return {0, bandOff ? kLargestWireValue - kBandOffFrequencyOffset : kBandOffFrequencyOffset - 1};
    case RecordField::Gain:
        // Tenths of a dB around 0 dB = 250: ±25 dB is past every scale the console edits or draws.
        return {0, kLargestGainCode};
    case RecordField::QIndex:
        // A row of the Q table.
        return {0, kQCount - 1};
    default:
        return {0, kLargestWireValue}; // the value: two base-250 digits
    }
}

std::optional<RecordFault> CheckRecord(const ParamRecord& record, const ParamRecord& layout)
{
    const auto recordClass = static_cast<int>(record.paramClass);
    if (auto fault = Within(RecordField::Class, recordClass, 0, static_cast<int>(ParamClass::LowPass)))
        return fault;
    if (auto fault = Agrees(RecordField::Defined, Flag(record.defined), Flag(layout.defined)))
        return fault;
    if (!record.defined)
        return std::nullopt; // never sent, shown or drawn
    if (auto fault = Agrees(RecordField::Class, recordClass, static_cast<int>(layout.paramClass)))
        return fault;
    if (auto fault = Agrees(RecordField::PerMode, Flag(record.perMode), Flag(layout.perMode)))
        return fault;
    if (record.paramClass == ParamClass::EqBand)
        return BandFault(record);
    const FieldRange range = WireRange(RecordField::Value, false);
    return Within(RecordField::Value, record.value, range.lowest, range.highest);
}

const ParamRecord& LayoutFor(int mode, int address, const ParamRecord& record)
{
    const ParamStore& layout = DefaultParamStore();
    if (mode == 1 && address >= kFirstGlobalAddress && record.defined)
        return layout.at(0, address);
    return layout.at(mode, address);
}

} // namespace quorix::core
