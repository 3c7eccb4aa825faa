#include "block_layout.h"

#include "frame_fault.h"

#include "core/address_map.h"

#include <string>

namespace quorix::link {

bool TravelsAsBand(int address)
{
    return core::DefaultParamStore().at(0, address).paramClass == core::ParamClass::EqBand;
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
        AppendWireValue(out, record.value);
        return;
    }
    if (record.band.shelfQIndex < 0 || record.band.shelfQIndex >= 0xFA || record.band.shape >= 0xFA)
        throw FrameFault("band shape or slope " + std::to_string(record.band.shelfQIndex) + " does not fit one byte");
    out.push_back(record.band.shape);
    out.push_back(static_cast<std::uint8_t>(record.band.shelfQIndex));
    AppendWireValue(out, record.band.bandOff ? record.band.freqIndex + kBandOffOffset : record.band.freqIndex);
    AppendWireValue(out, record.band.gain);
    AppendWireValue(out, record.band.qIndex);
}

std::size_t DecodeRecord(std::span<const std::uint8_t> payload, std::size_t position, core::ParamRecord& record,
                         bool band)
{
    if (!band) {
        record.value = ReadPayloadValue(payload, position);
        return position + 2;
    }
    if (position + 8 > payload.size())
        throw FrameFault("payload position " + std::to_string(position) + " past the end");
    record.band.shape = payload[position];
    record.band.shelfQIndex = payload[position + 1];
    const int frequency = ReadPayloadValue(payload, position + 2);
    record.band.bandOff = frequency >= kBandOffOffset;
    record.band.freqIndex = record.band.bandOff ? frequency - kBandOffOffset : frequency;
    record.band.gain = ReadPayloadValue(payload, position + 4);
    record.band.qIndex = ReadPayloadValue(payload, position + 6);
    return position + 8;
}

} // namespace quorix::link
