#pragma once

#include "param_record.h"

#include <cstddef>
#include <vector>

namespace quorix::core {

inline constexpr int kModeCount = 3;             // 0 singing, 1 dance, 2 default set
inline constexpr int kAddressCount = 3000;       // flat address = kind * 256 + menu address
inline constexpr int kFirstGlobalAddress = 2048; // kinds 8 to 10 live at mode index 0 only
inline constexpr std::size_t kRecordCount = std::size_t{kModeCount} * kAddressCount;

// The image of every processor parameter: mode index 0..2 by flat address 0..2999,
// the mode index varying fastest in memory (record number = address * 3 + mode).
// The loaded-file image has the same shape, so it is a ParamStore too.
class ParamStore {
public:
    ParamStore();

    ParamRecord& at(int mode, int address);
    const ParamRecord& at(int mode, int address) const;

    // Records in memory order, for the configuration file.
    ParamRecord& record(std::size_t number);
    const ParamRecord& record(std::size_t number) const;

    void clear();
    bool operator==(const ParamStore&) const = default;

private:
    std::vector<ParamRecord> m_records;
};

// Mode index at which an address is read and written: global kinds always at 0.
inline int ModeForAddress(int address, int currentMode)
{
    return address >= kFirstGlobalAddress ? 0 : currentMode;
}

// After a block read: shared parameters (PerMode false) take their singing-mode
// record into the dance mode, so both modes agree.
void MirrorSharedParameters(ParamStore& store);

} // namespace quorix::core
