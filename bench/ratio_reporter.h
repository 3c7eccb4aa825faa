#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

// The console table, then one line per benchmark that measured its reference in
// the same run: "BM_X" beside "BM_X_Reference" (same arguments) prints how many
// times the reference's CPU time ours is, each taken as its fastest repetition.
// A benchmark that times itself (manual time) is compared on that time instead.
// Absolute times drift between runs and machines; the ratio is the figure that counts.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration)
                continue;
            // Over repetitions the fastest counts: load from elsewhere only ever slows a run.
            const double time =
                run.run_name.time_type == "manual_time" ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
            const auto [it, added] = m_cpu.emplace(run.benchmark_name(), time);
            if (!added)
                it->second = std::min(it->second, time);
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        static const std::string kMark = "_Reference";
        for (const auto& [name, reference] : m_cpu) {
            const std::size_t at = name.find(kMark);
            if (at == std::string::npos)
                continue;
            const std::string ours = name.substr(0, at) + name.substr(at + kMark.size());
            const auto found = m_cpu.find(ours);
            if (found != m_cpu.end() && found->second > 0)
                std::printf("%s: %.2fx the speed of its reference (reference time / own)\n", ours.c_str(),
                            reference / found->second);
        }
    }

private:
    std::map<std::string, double> m_cpu;
};
