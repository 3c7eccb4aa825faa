#pragma once

#include "kind_layout.h"
#include "wire_format.h"

#include <array>
#include <cstdint>
#include <span>

namespace quorix::sim {

// An equaliser band as the processor holds it.
struct BandSetting {
    int shape = 0;
    int slope = 0;
    int frequency = 0;
    bool off = false;
    int gain = 0;
    int q = 0;

    bool operator==(const BandSetting&) const = default;
};

// One full setup of the processor, kept as the blocks travel on the wire: for
// each kind its records back to back in address order. Set 0 (singing) holds
// kinds 0..10, set 1 (dance) kinds 0..7. Addresses are flat: kind * 256 + menu
// address. A record that does not exist throws std::out_of_range.
class ProcessorMemory {
public:
    static constexpr int kSets = 2;

    ProcessorMemory();

    static bool holds(int set, int kind);
    static bool holdsRecord(int set, int address);

    std::span<const std::uint8_t> block(int set, int kind) const;
    std::span<std::uint8_t> block(int set, int kind);
    std::span<std::uint8_t> record(int set, int address);
    std::span<const std::uint8_t> record(int set, int address) const;

    int value(int set, int address) const;
    void setValue(int set, int address, int value);
    BandSetting band(int set, int address) const;
    void setBand(int set, int address, const BandSetting& band);

    // Kinds 0..7 of both sets come from `other`: what a preset recall changes.
    void takeModeKinds(const ProcessorMemory& other);

    bool operator==(const ProcessorMemory&) const = default;

private:
    std::array<std::array<wire::Bytes, layout::kKindCount>, kSets> m_blocks;
};

} // namespace quorix::sim
