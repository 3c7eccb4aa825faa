#include "kind_layout.h"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

namespace quorix::sim::layout {

namespace {

struct BandRun {
    int first = 0;
    int count = 0;
};

struct Kind {
    int records;
    bool block;
    std::array<BandRun, 3> bands;
};

// Kind: records, moved as a block, runs of band records (first menu address, count).
constexpr std::array<Kind, kKindCount> kKinds = {{
    {16, true, {{{0x00, 15}}}},                      // 0 music input
    {21, true, {{{0x01, 15}}}},                      // 1 microphones 1 and 2
    {21, false, {{{0x01, 15}}}},                     // 2 microphones 3 and 4
    {43, true, {{{0x08, 5}, {0x1A, 5}, {0x1F, 5}}}}, // 3 echo, reverb, effect mix
    {25, true, {{{0x08, 10}}}},                      // 4 main output
    {22, false, {{{0x08, 7}}}},                      // 5 surround output
    {20, false, {{{0x07, 7}}}},                      // 6 centre output
    {26, true, {{{0x0B, 5}}}},                       // 7 subwoofer output
    {9, true, {}},                                   // 8 left recording mix
    {9, false, {}},                                  // 9 right recording mix
    {44, true, {}},                                  // 10 common settings
}};

const Kind& KindAt(int kind)
{
    if (!IsKind(kind))
        throw std::out_of_range("no menu kind " + std::to_string(kind));
    return kKinds[static_cast<std::size_t>(kind)];
}

void CheckRecord(int kind, int menuAddress)
{
    if (!IsRecord(kind, menuAddress))
        throw std::out_of_range("no record " + std::to_string(menuAddress) + " in kind " + std::to_string(kind));
}

} // namespace

bool IsKind(int kind)
{
    return kind >= 0 && kind < kKindCount;
}
bool IsGlobalKind(int kind)
{
    return kind >= kModeKinds && kind < kKindCount;
}
bool IsBlockKind(int kind)
{
    return IsKind(kind) && KindAt(kind).block;
}
int RecordCount(int kind)
{
    return KindAt(kind).records;
}

bool IsRecord(int kind, int menuAddress)
{
    return IsKind(kind) && menuAddress >= 0 && menuAddress < KindAt(kind).records;
}

bool IsBand(int kind, int menuAddress)
{
    if (!IsRecord(kind, menuAddress))
        return false;
    for (const BandRun& run : KindAt(kind).bands)
        if (menuAddress >= run.first && menuAddress < run.first + run.count)
            return true;
    return false;
}

std::size_t RecordSize(int kind, int menuAddress)
{
    CheckRecord(kind, menuAddress);
    return IsBand(kind, menuAddress) ? kBandSize : kValueSize;
}

namespace {

// Offsets[kind][a]: where record a starts in its kind's block; the last entry is the block's size.
const std::array<std::vector<std::size_t>, kKindCount>& Offsets()
{
    static const auto kOffsets = [] {
        std::array<std::vector<std::size_t>, kKindCount> table;
        for (int kind = 0; kind < kKindCount; ++kind) {
            auto& starts = table[static_cast<std::size_t>(kind)];
            starts.push_back(0);
            for (int a = 0; a < RecordCount(kind); ++a)
                starts.push_back(starts.back() + RecordSize(kind, a));
        }
        return table;
    }();
    return kOffsets;
}

} // namespace

std::size_t RecordOffset(int kind, int menuAddress)
{
    CheckRecord(kind, menuAddress);
    return Offsets()[static_cast<std::size_t>(kind)][static_cast<std::size_t>(menuAddress)];
}

std::size_t BlockSize(int kind)
{
    if (!IsKind(kind))
        throw std::out_of_range("no menu kind " + std::to_string(kind));
    return Offsets()[static_cast<std::size_t>(kind)].back();
}

} // namespace quorix::sim::layout
