#pragma once

#include "param_store.h"

#include <array>
#include <string>

namespace quorix::core {

// Per menu kind, what a store holds: for installers checking a file at a glance.
struct KindSummary {
    int defined = 0;               // defined records, all modes
    int eqBands = 0;               // equaliser band records, all modes
    std::array<int, 2> bandsOff{}; // switched-off bands, singing and dance
    std::array<int, 2> changed{};  // records differing from the defaults, singing and dance
};

std::array<KindSummary, 11> SummariseStore(const ParamStore& store);
// A short table of the summary, one line per kind.
std::string FormatStoreSummary(const ParamStore& store);

} // namespace quorix::core
