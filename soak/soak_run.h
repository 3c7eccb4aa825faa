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
    // Unmarked copies found differing, each counted once when first seen: of the
    // kinds no block carries (2, 5, 6, 9), of the dance set, and the rest.
    int copiesDiffering = 0;
    int unreadableKindCopies = 0;
    int danceCopies = 0;
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
