#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace quorix::soak {

struct SoakSummary {
    int minutes = 0;
    int faults = 0;
    int violations = 0;
    int copiesDiffering = 0; // unmarked copies found differing, each counted once when first seen
    int staleReplies = 0;
    int outOfRangeReplies = 0;
    int recoveries = 0;                 // times the link came back after a loss
    std::int64_t slowestRecoveryMs = 0; // from the line being clean (or the loss) to online
};

// Runs the console against the virtual processor for `hours` virtual hours:
// one fault a minute, a scripted user, and the checks. Prints one line per
// violation to `out` as "seed S minute M: what", the seed and minute that reproduce it.
SoakSummary RunSoak(std::uint64_t seed, int hours, std::ostream& out);

} // namespace quorix::soak
