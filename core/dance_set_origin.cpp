#include "dance_set_origin.h"

#include "address_map.h"

namespace quorix::core {

namespace {

constexpr int kDance = 1;

} // namespace

DanceSetOrigin::DanceSetOrigin(const ParamStore& store)
{
    settle(store, DanceOrigin::Console);
}

void DanceSetOrigin::cameFromProcessor(const ParamStore& store)
{
    settle(store, DanceOrigin::Read);
}

void DanceSetOrigin::settle(const ParamStore& store, DanceOrigin origin)
{
    for (int kind = 0; kind < kModePageCount; ++kind) {
        m_basis[static_cast<std::size_t>(kind)] = danceRecords(store, kind);
        m_origin[static_cast<std::size_t>(kind)] = origin;
    }
}

std::vector<ParamRecord> DanceSetOrigin::danceRecords(const ParamStore& store, int kind) const
{
    // Shared parameters are mirrored from the singing set, which is read; only the per-mode ones tell.
    std::vector<ParamRecord> records;
    for (int address = KindFirst(kind); address <= KindLast(kind); ++address)
        if (store.at(kDance, address).PerMode)
            records.push_back(store.at(kDance, address));
    return records;
}

DanceOrigin DanceSetOrigin::origin(const ParamStore& store, int kind) const
{
    const auto k = static_cast<std::size_t>(kind);
    return danceRecords(store, kind) == m_basis.at(k) ? m_origin.at(k) : DanceOrigin::Edited;
}

std::vector<int> DanceSetOrigin::pagesNeverRead(const ParamStore& store) const
{
    std::vector<int> pages;
    for (int kind = 0; kind < kModePageCount; ++kind)
        if (!m_basis[static_cast<std::size_t>(kind)].empty() && origin(store, kind) == DanceOrigin::Console)
            pages.push_back(kind);
    return pages;
}

} // namespace quorix::core
