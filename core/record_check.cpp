#include "record_check.h"

#include "address_map.h"
#include "value_tables.h"

namespace quorix::core {

namespace {

constexpr int kShapeCount = 3;        // peaking, low shelf, high shelf
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
    // A band that is on must stay below the off offset, or it would arrive switched off.
    const std::int32_t highestFrequency =
        r.band.BandOff ? kLargestWireValue - kBandOffFrequencyOffset : kBandOffFrequencyOffset - 1;
    // The Q index names a row of its table; a gain code is tenths of a dB
    // around 0 dB = 250, and ±25 dB is past every scale the console edits or draws.
    for (const auto& fault : {Within(RecordField::Shape, r.band.Shape, 0, kShapeCount - 1),
                              Within(RecordField::ShelfQIndex, r.band.ShelfQIndex, 0, kLargestByteValue),
                              Within(RecordField::FreqIndex, r.band.FreqIndex, 0, highestFrequency),
                              Within(RecordField::Gain, r.band.Gain, 0, kLargestGainCode),
                              Within(RecordField::QIndex, r.band.QIndex, 0, kQCount - 1)})
        if (fault)
            return fault;
    return std::nullopt;
}

} // namespace

std::optional<RecordFault> CheckRecord(const ParamRecord& record, const ParamRecord& layout)
{
    const auto recordClass = static_cast<int>(record.Class);
    if (auto fault = Within(RecordField::Class, recordClass, 0, static_cast<int>(ParamClass::LowPass)))
        return fault;
    if (auto fault = Agrees(RecordField::Defined, Flag(record.Defined), Flag(layout.Defined)))
        return fault;
    if (!record.Defined)
        return std::nullopt; // never sent, shown or drawn
    if (auto fault = Agrees(RecordField::Class, recordClass, static_cast<int>(layout.Class)))
        return fault;
    if (auto fault = Agrees(RecordField::PerMode, Flag(record.PerMode), Flag(layout.PerMode)))
        return fault;
    if (record.Class == ParamClass::EqBand)
        return BandFault(record);
    return Within(RecordField::Value, record.Value, 0, kLargestWireValue);
}

const ParamRecord& LayoutFor(int mode, int address, const ParamRecord& record)
{
    const ParamStore& layout = DefaultParamStore();
    if (mode == 1 && address >= kFirstGlobalAddress && record.Defined)
        return layout.at(0, address);
    return layout.at(mode, address);
}

} // namespace quorix::core
