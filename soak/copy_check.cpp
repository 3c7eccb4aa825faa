#include "copy_check.h"

#include "sim/kind_layout.h"

#include "core/common_addresses.h"

#include <cstdio>

namespace quorix::soak {

namespace {

constexpr int kMenuAddresses = 256;

std::string Hex(int address)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%03X", address);
    return text;
}

std::string BandText(int shape, int slope, int frequency, bool off, int gain, int q)
{
    return "band " + std::to_string(shape) + "/" + std::to_string(slope) + "/" + std::to_string(frequency) +
           (off ? " off" : "") + "/" + std::to_string(gain) + "/" + std::to_string(q);
}

} // namespace

bool HoldsStoreValue(const sim::VirtualProcessor& processor, const core::ParamStore& store, int mode, int address)
{
    const core::ParamRecord& ours = store.at(mode, address);
    if (!sim::layout::IsBand(address / kMenuAddresses, address % kMenuAddresses))
        return processor.value(mode, address) == ours.value;
    const sim::BandSetting theirs = processor.band(mode, address);
    return theirs.shape == ours.band.shape && theirs.slope == ours.band.shelfQIndex &&
           theirs.frequency == ours.band.freqIndex && theirs.off == ours.band.bandOff &&
           theirs.gain == ours.band.gain && theirs.q == ours.band.qIndex;
}

std::vector<Copy> UnmarkedDifferences(const sim::VirtualProcessor& processor, const core::ParamStore& store,
                                      const std::function<bool(int mode, int address)>& marked)
{
    std::vector<Copy> differing;
    for (int kind = 0; kind < sim::layout::kKindCount; ++kind) {
        const int modes = sim::layout::IsGlobalKind(kind) ? 1 : 2;
        for (int menu = 0; menu < kMenuAddresses; ++menu) {
            const int address = kind * kMenuAddresses + menu;
            if (!sim::layout::IsRecord(kind, menu) || address == core::kRightsAddress)
                continue;
            for (int mode = 0; mode < modes; ++mode)
                if (!HoldsStoreValue(processor, store, mode, address) && !marked(mode, address))
                    differing.emplace_back(mode, address);
        }
    }
    return differing;
}

std::string DescribeCopy(const sim::VirtualProcessor& processor, const core::ParamStore& store, const Copy& copy)
{
    const auto [mode, address] = copy;
    std::string text = std::string(mode == 0 ? "singing " : "dance ") + Hex(address);
    const core::ParamRecord& ours = store.at(mode, address);
    if (!sim::layout::IsBand(address / kMenuAddresses, address % kMenuAddresses))
        return text + " (store " + std::to_string(ours.value) + ", processor " +
               std::to_string(processor.value(mode, address)) + ")";
    const sim::BandSetting theirs = processor.band(mode, address);
    return text + " (store " +
           BandText(ours.band.shape, ours.band.shelfQIndex, ours.band.freqIndex, ours.band.bandOff, ours.band.gain,
                    ours.band.qIndex) +
           ", processor " + BandText(theirs.shape, theirs.slope, theirs.frequency, theirs.off, theirs.gain, theirs.q) +
           ")";
}

} // namespace quorix::soak
