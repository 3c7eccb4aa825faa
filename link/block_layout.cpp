#include "block_layout.h"

#include "frame_fault.h"

#include "core/address_map.h"

#include <string>

namespace quorix::link {

bool TravelsAsBand(int address)
{
    return core::DefaultParamStore().at(0, address).Class == core::ParamClass::EqBand;
}

std::size_t BlockDataSize(int kind)
{
    std::size_t size = 0;
    for (int a = core::KindFirst(kind); a <= core::KindLast(kind); ++a)
        size += TravelsAsBand(a) ? 8u : 2u;
    return size;
}

void AppendRecord(Bytes& out, const core::ParamRecord& record, bool band)
{
    if (!band) {
        AppendWireValue(out, record.Value);
        return;
    }
    if (record.band.ShelfQIndex < 0 || record.band.ShelfQIndex >= 0xFA || record.band.Shape >= 0xFA)
        throw FrameFault("band shape or slope " + std::to_string(record.band.ShelfQIndex) + " does not fit one byte");
    out.push_back(record.band.Shape);
    out.push_back(static_cast<std::uint8_t>(record.band.ShelfQIndex));
    AppendWireValue(out, record.band.BandOff ? record.band.FreqIndex + kBandOffOffset : record.band.FreqIndex);
    AppendWireValue(out, record.band.Gain);
    AppendWireValue(out, record.band.QIndex);
}

std::size_t DecodeRecord(std::span<const std::uint8_t> payload, std::size_t position, core::ParamRecord& record,
                         bool band)
{
    if (!band) {
        record.Value = ReadPayloadValue(payload, position);
        return position + 2;
    }
    if (position + 8 > payload.size())
        throw FrameFault("payload position " + std::to_string(position) + " past the end");
    record.band.Shape = payload[position];
    record.band.ShelfQIndex = payload[position + 1];
    const int frequency = ReadPayloadValue(payload, position + 2);
    record.band.BandOff = frequency >= kBandOffOffset;
    record.band.FreqIndex = record.band.BandOff ? frequency - kBandOffOffset : frequency;
    record.band.Gain = ReadPayloadValue(payload, position + 4);
    record.band.QIndex = ReadPayloadValue(payload, position + 6);
    return position + 8;
}

} // namespace quorix::link
