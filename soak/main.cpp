// soak [HOURS] [SEEDS]: the console against the virtual processor for HOURS
// virtual hours (24 by default) on seeds 1..SEEDS (12 by default), a fault a
// minute and a user at random moments. One line per violation; exit status 1
// when there was any.
#include "soak_run.h"

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    int hours = 24;
    int seeds = 12;
    try {
        if (argc > 1)
            hours = std::stoi(argv[1]);
        if (argc > 2)
            seeds = std::stoi(argv[2]);
    } catch (const std::exception&) {
        hours = 0;
    }
    if (argc > 3 || hours < 1 || seeds < 1) {
        std::cerr << "usage: soak [HOURS] [SEEDS]\n";
        return 2;
    }
    int violations = 0;
    for (int seed = 1; seed <= seeds; ++seed) {
        const auto started = std::chrono::steady_clock::now();
        const quorix::soak::SoakSummary s = quorix::soak::RunSoak(static_cast<std::uint64_t>(seed), hours, std::cout);
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - started;
        violations += s.violations;
        std::cout << "seed " << seed << ": " << s.minutes / 60.0 << " virtual hours in " << wall.count()
                  << " s, " << s.faults << " faults, "  << s.recoveries << " recoveries (slowest " << s.slowestRecoveryMs << " ms), " << s.violations
                  << " violations (" << s.copiesDiffering << " copies differing unmarked), replies refused: "
                  << s.staleReplies << " stale, " << s.outOfRangeReplies << " out of range\n"
                  << std::flush;
    }
    return violations == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
