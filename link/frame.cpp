#include "frame.h"

#include "frame_fault.h"

#include <numeric>
#include <string>

namespace quorix::link {

std::string_view CommandName(Command command)
{
    switch (command) {
    case Command::WriteParam:
        return "WriteParam";
    case Command::ReadBlockBack:
        return "ReadBlockBack";
    case Command::WriteBlock:
        return "WriteBlock";
    case Command::StoreMode:
        return "StoreMode";
    case Command::Password:
        return "Password";
    case Command::ReadStatus:
        return "ReadStatus";
    case Command::ReadBlock:
        return "ReadBlock";
    case Command::ReadDone:
        return "ReadDone";
    case Command::Handshake:
        return "Handshake";
    }
    return "Unknown";
}

std::uint8_t FrameChecksum(std::span<const std::uint8_t> bytes)
{
    const auto sum = static_cast<std::uint8_t>(std::accumulate(bytes.begin(), bytes.end(), 0u));
    return sum >= 0xFD ? 0 : sum;
}

void AppendWireValue(Bytes& out, int value)
{
    if (value < 0 || value > kMaxWireValue)
        throw FrameFault("value " + std::to_string(value) + " does not fit two base-250 digits");
    out.push_back(static_cast<std::uint8_t>(value / kDigitBase));
    out.push_back(static_cast<std::uint8_t>(value % kDigitBase));
}

int ReadPayloadValue(std::span<const std::uint8_t> bytes, std::size_t position)
{
    if (position + 1 >= bytes.size())
        throw FrameFault("payload position " + std::to_string(position) + " past the end");
    return bytes[position] * kDigitBase + bytes[position + 1];
}

Bytes HandshakeFrame()
{
    Bytes frame = {kFrameStart, static_cast<std::uint8_t>(Command::Handshake), kFiller, kFiller, kFiller, 15};
    for (char c : std::string_view("ZQV_CTRL"))
        frame.push_back(static_cast<std::uint8_t>(c));
    frame.push_back(FrameChecksum(frame));
    return frame;
}

} // namespace quorix::link
