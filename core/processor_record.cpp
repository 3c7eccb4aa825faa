#include "processor_record.h"

#include "address_map.h"
#include "checked_index.h"
#include "param_store.h"

#include <algorithm>

namespace quorix::core {

namespace {

constexpr int kRecordedModes = 2;

} // namespace

ProcessorRecord::ProcessorRecord() : m_states(std::size_t{kRecordedModes} * kAddressCount, CopyState::Unreadable) {}

int ProcessorRecord::index(int mode, int address)
{
    CheckIndex("record address", address, 0, kAddressCount - 1);
    CheckIndex("record mode", mode, 0, kRecordedModes - 1);
    return ModeForAddress(address, mode) * kAddressCount + address;
}

CopyState ProcessorRecord::state(int mode, int address) const
{
    return m_states[static_cast<std::size_t>(index(mode, address))];
}

bool ProcessorRecord::inStep() const
{
    return m_unconfirmed == 0;
}

namespace {

template <typename Keep>
std::vector<std::pair<int, int>> Copies(const std::vector<CopyState>& states, Keep keep)
{
    std::vector<std::pair<int, int>> copies;
    for (int address = 0; address < kAddressCount; ++address) {
        if (KindOfAddress(address) < 0)
            continue;
        for (int mode = 0; mode < (address < kFirstGlobalAddress ? kRecordedModes : 1); ++mode)
            if (keep(states[static_cast<std::size_t>(mode * kAddressCount + address)]))
                copies.emplace_back(mode, address);
    }
    return copies;
}

} // namespace

std::vector<std::pair<int, int>> ProcessorRecord::unconfirmed() const
{
    if (inStep())
        return {};
    return Copies(m_states, Unconfirmed);
}

std::vector<std::pair<int, int>> ProcessorRecord::neverRead() const
{
    return Copies(m_states, [](CopyState s) { return s == CopyState::Unreadable; });
}

bool ProcessorRecord::readable(int mode, int address)
{
    const int kind = KindOfAddress(address);
    if (kind < 0 || IsSkippedKind(kind))
        return false;
    return mode == 0 || address < kFirstGlobalAddress;
}

void ProcessorRecord::set(int mode, int address, CopyState state)
{
    CopyState& held = m_states[static_cast<std::size_t>(index(mode, address))];
    if (held == state)
        return;
    m_unconfirmed += (Unconfirmed(state) ? 1 : 0) - (Unconfirmed(held) ? 1 : 0);
    held = state;
    if (m_listener)
        m_listener(ModeForAddress(address, mode), address);
}

void ProcessorRecord::reset()
{
    std::fill(m_states.begin(), m_states.end(), CopyState::Unreadable);
    m_unconfirmed = 0;
}

void ProcessorRecord::writeQueued(int mode, int address)
{
    set(mode, address, CopyState::Queued);
}

void ProcessorRecord::editedOffline(int mode, int address)
{
    set(mode, address, CopyState::EditedOffline);
}

void ProcessorRecord::writeAcknowledged(int mode, int address)
{
    set(mode, address, CopyState::Acknowledged);
}

void ProcessorRecord::writeLost(int mode, int address)
{
    set(mode, address, CopyState::Lost);
}

void ProcessorRecord::read(int mode, int address)
{
    set(mode, address, CopyState::Read);
}

void ProcessorRecord::kindRead(int mode, int kind)
{
    for (int address = KindFirst(kind); address <= KindLast(kind); ++address)
        read(mode, address);
}

void ProcessorRecord::transferCutOff(int mode, int firstAddress, int lastAddress)
{
    for (int address = firstAddress; address <= lastAddress; ++address)
        if (KindOfAddress(address) >= 0 && !Unconfirmed(state(mode, address)))
            set(mode, address, CopyState::Lost);
}

void ProcessorRecord::replacedByProcessor(int mode, int firstAddress, int lastAddress)
{
    for (int address = firstAddress; address <= lastAddress; ++address) {
        if (KindOfAddress(address) < 0)
            continue;
        const CopyState held = state(mode, address);
        if (held == CopyState::Read || held == CopyState::Acknowledged)
            set(mode, address, CopyState::Lost);
    }
}

} // namespace quorix::core
