#include "store_bridge.h"

#include "core/address_map.h"

namespace quorix::sim {

namespace {

template <typename Visit>
void ForEachRecord(Visit visit)
{
    for (int set = 0; set < ProcessorMemory::kSets; ++set)
        for (int kind = 0; kind < layout::kKindCount; ++kind)
            if (ProcessorMemory::Holds(set, kind))
                for (int menu = 0; menu < layout::RecordCount(kind); ++menu)
                    visit(set, kind * 256 + menu, layout::IsBand(kind, menu));
}

} // namespace

ProcessorMemory MemoryFromStore(const core::ParamStore& store)
{
    ProcessorMemory memory;
    ForEachRecord([&](int set, int address, bool band) {
        const core::ParamRecord& record = store.at(set, address);
        if (band)
            memory.setBand(set, address,
                           {record.band.Shape, record.band.ShelfQIndex, record.band.FreqIndex, record.band.BandOff,
                            record.band.Gain, record.band.QIndex});
        else
            memory.setValue(set, address, record.Value);
    });
    return memory;
}

core::ParamStore StoreFromMemory(const ProcessorMemory& memory)
{
    core::ParamStore store = core::DefaultParamStore();
    ForEachRecord([&](int set, int address, bool band) {
        core::ParamRecord& record = store.at(set, address);
        if (band) {
            const BandSetting setting = memory.band(set, address);
            record.band.Shape = static_cast<std::uint8_t>(setting.shape);
            record.band.ShelfQIndex = setting.slope;
            record.band.FreqIndex = setting.frequency;
            record.band.BandOff = setting.off;
            record.band.Gain = setting.gain;
            record.band.QIndex = setting.q;
        } else {
            record.Value = memory.value(set, address);
        }
    });
    return store;
}

} // namespace quorix::sim
