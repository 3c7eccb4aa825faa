#include "param_store.h"

#include "store_taker.h"

#include "checked_index.h"

namespace quorix::core {

ParamStore::ParamStore() : m_records(kRecordCount) {}

ParamRecord& ParamStore::at(int mode, int address)
{
    CheckIndex("mode", mode, 0, kModeCount - 1);
    CheckIndex("flat address", address, 0, kAddressCount - 1);
    return m_records[static_cast<std::size_t>(address) * kModeCount + static_cast<std::size_t>(mode)];
}

const ParamRecord& ParamStore::at(int mode, int address) const
{
    return const_cast<ParamStore*>(this)->at(mode, address);
}

ParamRecord& ParamStore::record(std::size_t number)
{
    CheckIndex("record", static_cast<long long>(number), 0, static_cast<long long>(kRecordCount) - 1);
    return m_records[number];
}

const ParamRecord& ParamStore::record(std::size_t number) const
{
    return const_cast<ParamStore*>(this)->record(number);
}

void ParamStore::clear()
{
    m_records.assign(kRecordCount, ParamRecord{});
}

void MirrorSharedParameters(const ParamStore& store, StoreTaker& taker)
{
    for (int a = 0; a < kAddressCount; ++a) {
        const ParamRecord& singing = store.at(0, a);
        if (!singing.perMode && store.at(1, a) != singing)
            taker.setCopy(1, a, singing);
    }
}

void MirrorSharedParameters(ParamStore& store)
{
    StoreCopies copies(store);
    MirrorSharedParameters(store, copies);
}

} // namespace quorix::core
