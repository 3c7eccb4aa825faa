#include "request_builder.h"

#include "block_layout.h"
#include "frame_fault.h"

#include "core/address_map.h"
#include "core/checked_index.h"

#include <string>

namespace quorix::link {

namespace {

bool UsesAddressHeader(Command command)
{
    switch (command) {
    case Command::WriteParam:
    case Command::ReadBlockBack:
    case Command::WriteBlock:
    case Command::StoreMode:
    case Command::ReadBlock:
        return true;
    default:
        return false;
    }
}

std::uint8_t HeaderByte(int value)
{
    if (value < 0 || value >= 0xFD)
        throw FrameFault("header byte " + std::to_string(value) + " out of range");
    return static_cast<std::uint8_t>(value);
}

void AppendPasswordDigits(Bytes& out, int kind, int operation, const core::DigitBuffer& digits)
{
    const std::size_t length = kind == 0 ? 4 : 6;
    const std::size_t count = operation == 0 ? length : operation == 1 ? 2 * length : 0;
    if (count == 0) {
        out.insert(out.end(), {kFiller, kFiller});
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t digit = digits.at(i);
        if (digit > 9)
            throw FrameFault("password digit " + std::to_string(digit) + " is not 0..9");
        out.push_back(digit);
    }
}

} // namespace

Bytes BuildRequest(Command command, int mode, int address, std::uint8_t& modeOverride, const RequestSources& sources)
{
    if (command == Command::Handshake)
        return HandshakeFrame();

    Bytes frame = {kFrameStart, static_cast<std::uint8_t>(command), kFiller, kFiller, kFiller, 0};
    if (UsesAddressHeader(command)) {
        core::CheckIndex("flat address", address, 0, core::kAddressCount - 1);
        int headerMode = command == Command::WriteParam ? sources.currentMode : mode;
        if (address >= core::kFirstGlobalAddress)
            headerMode = 0;
        frame[2] = modeOverride != 0 ? modeOverride : HeaderByte(headerMode);
        modeOverride = 0;
        frame[3] = static_cast<std::uint8_t>((address >> 8) & 0xFF);
        frame[4] = static_cast<std::uint8_t>(address & 0xFF);
    } else if (command == Command::Password) {
        frame[2] = 0;
        frame[3] = HeaderByte(mode);
        frame[4] = HeaderByte(address);
    }

    switch (command) {
    case Command::WriteParam: {
        const int recordMode = core::ModeForAddress(address, sources.currentMode);
        const bool band = sources.store.at(0, address).paramClass == core::ParamClass::EqBand;
        AppendRecord(frame, sources.store.at(recordMode, address), band);
        break;
    }
    case Command::WriteBlock: {
        const int kind = core::KindOfAddress(address);
        if (kind < 0 || address != core::KindFirst(kind))
            throw FrameFault("block write at " + std::to_string(address) + " is not the start of a kind");
        for (int a = address; a <= core::KindLast(kind); ++a) {
            const int imageMode = a < core::kFirstGlobalAddress && mode >= 11 ? 1 : 0;
            AppendRecord(frame, sources.image.at(imageMode, a), TravelsAsBand(a));
        }
        break;
    }
    case Command::Password:
        AppendPasswordDigits(frame, mode, address, sources.digits);
        break;
    default:
        frame.insert(frame.end(), {kFiller, kFiller});
        break;
    }

    if (frame.size() + 1 > kMaxFrameLength)
        throw FrameFault("frame of " + std::to_string(frame.size() + 1) + " bytes is too long");
    frame[5] = static_cast<std::uint8_t>(frame.size() + 1);
    frame.push_back(FrameChecksum(frame));
    return frame;
}

} // namespace quorix::link
