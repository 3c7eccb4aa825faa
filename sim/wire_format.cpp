#include "wire_format.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace quorix::sim::wire {

std::uint8_t Checksum(std::span<const std::uint8_t> bytes)
{
    unsigned sum = 0;
    for (std::uint8_t b : bytes)
        sum += b;
    const auto low = static_cast<std::uint8_t>(sum & 0xFFu);
    return low >= kToneReset ? std::uint8_t{0} : low;
}

void AppendValue(Bytes& out, int value)
{
    if (value < 0 || value > kLargestValue)
        throw std::out_of_range("value " + std::to_string(value) + " has no two-digit form");
    out.push_back(static_cast<std::uint8_t>(value / kDigitBase));
    out.push_back(static_cast<std::uint8_t>(value % kDigitBase));
}

int ValueAt(std::span<const std::uint8_t> bytes, std::size_t position)
{
    return bytes[position] * kDigitBase + bytes[position + 1];
}

Bytes ReplyFrame(std::span<const std::uint8_t> payload)
{
    Bytes frame(payload.size() + 2);
    frame[0] = kStart;
    frame[1] = static_cast<std::uint8_t>(payload.size() + 3);
    std::copy(payload.begin(), payload.end(), frame.begin() + 2);
    frame.push_back(Checksum(frame));
    return frame;
}

} // namespace quorix::sim::wire
