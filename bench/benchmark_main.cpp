// The main of the benchmarks without Qt: Google Benchmark with the ratio lines.
#include "ratio_reporter.h"

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
