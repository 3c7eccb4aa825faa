#include "processor_memory.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace quorix::sim {

namespace {

int KindOf(int address)
{
    return address >= 0 ? address / 256 : -1;
}
int MenuOf(int address)
{
    return address % 256;
}

std::uint8_t Digit(int value, const char* what)
{
    if (value < 0 || value >= wire::kDigitBase)
        throw std::out_of_range(std::string(what) + " " + std::to_string(value) + " does not fit one byte");
    return static_cast<std::uint8_t>(value);
}

} // namespace

ProcessorMemory::ProcessorMemory()
{
    for (int set = 0; set < kSets; ++set)
        for (int kind = 0; kind < layout::kKindCount; ++kind)
            if (holds(set, kind))
                m_blocks[static_cast<std::size_t>(set)][static_cast<std::size_t>(kind)].assign(layout::BlockSize(kind),
                                                                                               0);
}

bool ProcessorMemory::holds(int set, int kind)
{
    return layout::IsKind(kind) && (set == 0 || (set == 1 && !layout::IsGlobalKind(kind)));
}

bool ProcessorMemory::holdsRecord(int set, int address)
{
    return holds(set, KindOf(address)) && layout::IsRecord(KindOf(address), MenuOf(address));
}

std::span<const std::uint8_t> ProcessorMemory::block(int set, int kind) const
{
    if (!holds(set, kind))
        throw std::out_of_range("no kind " + std::to_string(kind) + " in set " + std::to_string(set));
    return m_blocks[static_cast<std::size_t>(set)][static_cast<std::size_t>(kind)];
}

std::span<std::uint8_t> ProcessorMemory::block(int set, int kind)
{
    const std::span<const std::uint8_t> view = std::as_const(*this).block(set, kind);
    return {const_cast<std::uint8_t*>(view.data()), view.size()};
}

std::span<const std::uint8_t> ProcessorMemory::record(int set, int address) const
{
    if (!holdsRecord(set, address))
        throw std::out_of_range("no record at address " + std::to_string(address) + " in set " + std::to_string(set));
    const int kind = KindOf(address);
    return block(set, kind).subspan(layout::RecordOffset(kind, MenuOf(address)),
                                    layout::RecordSize(kind, MenuOf(address)));
}

std::span<std::uint8_t> ProcessorMemory::record(int set, int address)
{
    const std::span<const std::uint8_t> view = std::as_const(*this).record(set, address);
    return {const_cast<std::uint8_t*>(view.data()), view.size()};
}

int ProcessorMemory::value(int set, int address) const
{
    const auto bytes = record(set, address);
    if (bytes.size() != layout::kValueSize)
        throw std::out_of_range("address " + std::to_string(address) + " holds a band, not a value");
    return wire::ValueAt(bytes, 0);
}

void ProcessorMemory::setValue(int set, int address, int value)
{
    const auto bytes = record(set, address);
    if (bytes.size() != layout::kValueSize)
        throw std::out_of_range("address " + std::to_string(address) + " holds a band, not a value");
    wire::Bytes digits;
    wire::AppendValue(digits, value);
    std::copy(digits.begin(), digits.end(), bytes.begin());
}

BandSetting ProcessorMemory::band(int set, int address) const
{
    const auto bytes = record(set, address);
    if (bytes.size() != layout::kBandSize)
        throw std::out_of_range("address " + std::to_string(address) + " holds a value, not a band");
    BandSetting band;
    band.shape = bytes[0];
    band.slope = bytes[1];
    band.frequency = wire::ValueAt(bytes, 2);
    band.off = band.frequency >= wire::kBandOffOffset;
    if (band.off)
        band.frequency -= wire::kBandOffOffset;
    band.gain = wire::ValueAt(bytes, 4);
    band.q = wire::ValueAt(bytes, 6);
    return band;
}

void ProcessorMemory::setBand(int set, int address, const BandSetting& band)
{
    const auto bytes = record(set, address);
    if (bytes.size() != layout::kBandSize)
        throw std::out_of_range("address " + std::to_string(address) + " holds a value, not a band");
    if (band.frequency < 0 || band.frequency >= wire::kBandOffOffset)
        throw std::out_of_range("band frequency " + std::to_string(band.frequency) + " out of range");
    wire::Bytes encoded{Digit(band.shape, "band shape"), Digit(band.slope, "band slope")};
    wire::AppendValue(encoded, band.frequency + (band.off ? wire::kBandOffOffset : 0));
    wire::AppendValue(encoded, band.gain);
    wire::AppendValue(encoded, band.q);
    std::copy(encoded.begin(), encoded.end(), bytes.begin());
}

void ProcessorMemory::takeModeKinds(const ProcessorMemory& other)
{
    for (std::size_t set = 0; set < kSets; ++set)
        for (std::size_t kind = 0; kind < layout::kModeKinds; ++kind)
            m_blocks[set][kind] = other.m_blocks[set][kind];
}

} // namespace quorix::sim
