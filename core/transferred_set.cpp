#include "transferred_set.h"

#include "address_map.h"
#include "common_addresses.h"

namespace quorix::core {

namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

void Mix(std::uint64_t& hash, std::int64_t value)
{
    for (int i = 0; i < 8; ++i) {
        hash ^= static_cast<std::uint8_t>(value >> (8 * i));
        hash *= kFnvPrime;
    }
}

} // namespace

bool InTransferredSet(int address)
{
    return !IsSkippedKind(address / 256) && address != kRightsAddress;
}

std::vector<ParamDifference> TransferredDifferences(const ParamStore& file, const ParamStore& read)
{
    auto differences = DiffImages(file, read, {.modes = {0}});
    std::erase_if(differences, [](const ParamDifference& d) { return !InTransferredSet(d.address); });
    return differences;
}

std::uint64_t TransferredSetHash(const ParamStore& store)
{
    std::uint64_t hash = kFnvOffset;
    for (int address = 0; address < kAddressCount; ++address) {
        const ParamRecord& r = store.at(0, address);
        if (!r.defined || !InTransferredSet(address))
            continue;
        Mix(hash, address);
        Mix(hash, static_cast<int>(r.paramClass));
        Mix(hash, r.value);
        for (const std::int64_t field :
             {std::int64_t{r.band.shape}, std::int64_t{r.band.freqIndex}, std::int64_t{r.band.gain},
              std::int64_t{r.band.qIndex}, std::int64_t{r.band.shelfQIndex}, std::int64_t{r.band.bandOff}})
            Mix(hash, field);
    }
    return hash;
}

} // namespace quorix::core
