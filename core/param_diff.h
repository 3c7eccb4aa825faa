#pragma once

#include "param_store.h"

#include <string>
#include <vector>

namespace quorix::core {

// One field of one parameter that two images hold differently, with both values
// as the console shows them.
struct ParamDifference {
    int mode = 0;      // mode index
    int address = 0;   // flat address
    std::string field; // "value", "frequency", "gain", "Q", "slope", "shape", "on/off",
                       // and the record flags "defined", "class", "per-mode"
    std::string left;
    std::string right;

    int kind() const { return address / 256; }
    int menuAddress() const { return address % 256; }
};

struct DiffScope {
    std::vector<int> modes{0, 1}; // mode indices compared; 2 (the default set) only when asked
    int kind = -1;                // one menu kind, or -1 for all
    // The user's rights level (Common 0x20) is the processor's session state,
    // set by a read and by the password dialog, not a setting: compared only when asked.
    bool rights = false;
};

// By page, then mode, then address, over the 256 addresses of each kind. Records
// defined in neither image are passed over; kinds 8 to 10 exist at mode index 0
// only and compare there alone.
std::vector<ParamDifference> DiffImages(const ParamStore& left, const ParamStore& right, const DiffScope& scope = {});

// One line per field, a heading per page:
//   MusicInput singing 0x02 EQ3 gain: 10.0dB -> 0.0dB
std::string FormatDifferences(const std::vector<ParamDifference>& differences);
// "0x02 EQ3" or "0x1E" where the address map gives no name.
std::string ParamLabel(int address);

} // namespace quorix::core
