#include "store_bridge.h"

#include "core/address_map.h"

namespace quorix::sim {

namespace {

template <typename Visit>
void ForEachRecord(Visit visit)
{
    for (int set = 0; set < ProcessorMemory::kSets; ++set)
        for (int kind = 0; kind < layout::kKindCount; ++kind)
            if (ProcessorMemory::holds(set, kind))
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
                           {record.band.shape, record.band.shelfQIndex, record.band.freqIndex, record.band.bandOff,
                            record.band.gain, record.band.qIndex});
        else
            memory.setValue(set, address, record.value);
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
            record.band.shape = static_cast<std::uint8_t>(setting.shape);
            record.band.shelfQIndex = setting.slope;
            record.band.freqIndex = setting.frequency;
            record.band.bandOff = setting.off;
            record.band.gain = setting.gain;
            record.band.qIndex = setting.q;
        } else {
            record.value = memory.value(set, address);
        }
    });
    return store;
}

} // namespace quorix::sim
