#include "record_check.h"

namespace quorix::core {

namespace {

constexpr int kShapeCount = 3;        // peaking, low shelf, high shelf
constexpr int kLargestByteValue = 249; // a one-byte field stays below the signal bytes

std::string OutOfRange(const char* field, std::int64_t value, std::int64_t lowest, std::int64_t highest)
{
    return std::string(field) + " " + std::to_string(value) + " 不在 " + std::to_string(lowest) + " 到 " +
           std::to_string(highest) + " 之间";
}

std::string Mismatch(const char* field, int value, int expected)
{
    return std::string(field) + " 为 " + std::to_string(value) + "，此地址应为 " + std::to_string(expected);
}

std::string BandFault(const ParamRecord& r)
{
    if (r.band.Shape >= kShapeCount)
        return OutOfRange("Shape", r.band.Shape, 0, kShapeCount - 1);
    if (r.band.ShelfQIndex < 0 || r.band.ShelfQIndex > kLargestByteValue)
        return OutOfRange("ShelfQIndex", r.band.ShelfQIndex, 0, kLargestByteValue);
    // A band that is on must stay below the off offset, or it would arrive switched off.
    const std::int32_t highestFrequency =
        r.band.BandOff ? kLargestWireValue - kBandOffFrequencyOffset : kBandOffFrequencyOffset - 1;
    if (r.band.FreqIndex < 0 || r.band.FreqIndex > highestFrequency)
        return OutOfRange("FreqIndex", r.band.FreqIndex, 0, highestFrequency);
    if (r.band.Gain < 0 || r.band.Gain > kLargestWireValue)
        return OutOfRange("Gain", r.band.Gain, 0, kLargestWireValue);
    if (r.band.QIndex < 0 || r.band.QIndex > kLargestWireValue)
        return OutOfRange("QIndex", r.band.QIndex, 0, kLargestWireValue);
    return {};
}

} // namespace

std::string RecordFault(const ParamRecord& record, const ParamRecord& layout)
{
    const auto recordClass = static_cast<int>(record.Class);
    if (recordClass > static_cast<int>(ParamClass::LowPass))
        return OutOfRange("Class", recordClass, 0, static_cast<int>(ParamClass::LowPass));
    if (record.Defined != layout.Defined)
        return Mismatch("Defined", record.Defined ? -1 : 0, layout.Defined ? -1 : 0);
    if (!record.Defined)
        return {}; // never sent, shown or drawn
    if (record.Class != layout.Class)
        return Mismatch("Class", recordClass, static_cast<int>(layout.Class));
    if (record.PerMode != layout.PerMode)
        return Mismatch("PerMode", record.PerMode ? -1 : 0, layout.PerMode ? -1 : 0);
    if (record.Class == ParamClass::EqBand)
        return BandFault(record);
    if (record.Value < 0 || record.Value > kLargestWireValue)
        return OutOfRange("Value", record.Value, 0, kLargestWireValue);
    return {};
}

} // namespace quorix::core
