#include "store_summary.h"

#include "address_map.h"
#include "param_display.h"

#include <cstdio>

namespace quorix::core {

std::array<KindSummary, 11> SummariseStore(const ParamStore& store)
{
    const ParamStore& defaults = DefaultParamStore();
    std::array<KindSummary, kKindCount> summary{};
    for (int kind = 0; kind < kKindCount; ++kind) {
        KindSummary& s = summary[static_cast<std::size_t>(kind)];
        for (int a = KindFirst(kind); a < KindFirst(kind) + 256 && a < kAddressCount; ++a) {
            for (int m = 0; m < kModeCount; ++m) {
                const ParamRecord& r = store.at(m, a);
                s.defined += r.defined ? 1 : 0;
                const bool isBand = r.paramClass == ParamClass::EqBand;
                s.eqBands += isBand ? 1 : 0;
                if (m < 2) {
                    const auto mm = static_cast<std::size_t>(m);
                    s.bandsOff[mm] += isBand && r.band.bandOff ? 1 : 0;
                    s.changed[mm] += r == defaults.at(m, a) ? 0 : 1;
                }
            }
        }
    }
    return summary;
}

std::string FormatStoreSummary(const ParamStore& store)
{
    const auto summary = SummariseStore(store);
    std::string text = "kind  name            defined  bands  off(sing/dance)  changed(sing/dance)\n";
    for (int kind = 0; kind < kKindCount; ++kind) {
        const KindSummary& s = summary[static_cast<std::size_t>(kind)];
        char line[160];
        std::snprintf(line, sizeof line, "%4d  %-14s  %7d  %5d  %7d/%-7d  %9d/%d\n", kind, KindName(kind), s.defined,
                      s.eqBands, s.bandsOff[0], s.bandsOff[1], s.changed[0], s.changed[1]);
        text += line;
    }
    return text;
}

} // namespace quorix::core
