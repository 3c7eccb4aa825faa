// soak [HOURS] [SEEDS] [FIRST]: the console against the virtual processor for
// HOURS virtual hours (24 by default) on SEEDS seeds (12 by default) from FIRST
// (1), a fault a minute and a user at random moments. One line per violation;
// exit status 1 when there was any.
#include "soak_run.h"

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    int hours = 24;
    int seeds = 12;
    int first = 1;
    try {
        if (argc > 1)
            hours = std::stoi(argv[1]);
        if (argc > 2)
            seeds = std::stoi(argv[2]);
        if (argc > 3)
            first = std::stoi(argv[3]);
    } catch (const std::exception&) {
        hours = 0;
    }
    if (argc > 4 || hours < 1 || seeds < 1 || first < 1) {
        std::cerr << "usage: soak [HOURS] [SEEDS] [FIRST]\n";
        return 2;
    }
    int violations = 0;
    for (int seed = first; seed < first + seeds; ++seed) {
        const auto started = std::chrono::steady_clock::now();
        const quorix::soak::SoakSummary s = quorix::soak::RunSoak(static_cast<std::uint64_t>(seed), hours, std::cout);
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - started;
        violations += s.violations;
        std::cout << "seed " << seed << ": " << s.minutes / 60.0 << " virtual hours in " << wall.count() << " s, "
                  << s.faults << " faults, " << s.recoveries << " recoveries (slowest " << s.slowestRecoveryMs
                  << " ms), " << s.violations << " violations (" << s.copiesDiffering
                  << " copies differing unmarked: " << s.unreadableKindCopies << " of kinds 2, 5, 6, 9, "
                  << s.danceCopies << " other dance copies), replies refused: " << s.staleReplies << " stale, "
                  << s.outOfRangeReplies << " out of range\n"
                  << std::flush;
    }
    return violations == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
