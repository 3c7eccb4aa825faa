#include "request_rules.h"

#include "kind_layout.h"
#include "wire_format.h"

#include <algorithm>

namespace quorix::sim {

namespace {

using wire::kFiller;

struct Request {
    std::span<const std::uint8_t> frame;

    std::uint8_t command() const { return frame[1]; }
    int mode() const { return frame[2]; }
    int kind() const { return frame[3]; }
    int menu() const { return frame[4]; }
    std::span<const std::uint8_t> data() const
    {
        return frame.subspan(wire::kHeaderLength, frame.size() - wire::kHeaderLength - 1);
    }
    bool headerIsFiller() const { return frame[2] == kFiller && frame[3] == kFiller && frame[4] == kFiller; }
    bool dataIsFiller() const
    {
        const auto d = data();
        return d.size() == 2 && d[0] == kFiller && d[1] == kFiller;
    }
};

std::string Length(const Request& r, std::size_t expected)
{
    return "length " + std::to_string(r.frame.size()) + " where " + std::to_string(expected) + " was due";
}

std::string DigitsOutOfRange(std::span<const std::uint8_t> data)
{
    const auto bad = std::find_if(data.begin(), data.end(), [](std::uint8_t b) { return b >= wire::kDigitBase; });
    return bad == data.end() ? "" : "data byte " + std::to_string(*bad) + " is not a base-250 digit";
}

bool ValidBlockPreset(int preset)
{
    return (preset >= 0 && preset < kPresetCount) || preset >= kDanceSetPreset;
}

std::string FixedRequest(const Request& r, const char* name)
{
    if (r.frame.size() != 9)
        return Length(r, 9);
    if (!r.headerIsFiller() || !r.dataIsFiller())
        return std::string(name) + " without its filler bytes";
    return {};
}

std::string Handshake(const Request& r)
{
    static constexpr std::string_view kText = "ZQV_CTRL";
    if (r.frame.size() != wire::kShortestRequest + kText.size())
        return Length(r, wire::kShortestRequest + kText.size());
    const auto d = r.data();
    if (!r.headerIsFiller() || !std::equal(d.begin(), d.end(), kText.begin()))
        return "handshake without its text";
    return {};
}

std::string WriteParam(const Request& r)
{
    if (!layout::IsRecord(r.kind(), r.menu()))
        return "no parameter at kind " + std::to_string(r.kind()) + " address " + std::to_string(r.menu());
    if (r.mode() > 1)
        return "mode byte " + std::to_string(r.mode()) + " is neither singing nor dance";
    if (r.mode() == 1 && layout::IsGlobalKind(r.kind()))
        return "dance mode for a parameter of kind " + std::to_string(r.kind()) + ", which has only one";
    const std::size_t due = wire::kShortestRequest + layout::RecordSize(r.kind(), r.menu());
    if (r.frame.size() != due)
        return Length(r, due);
    return DigitsOutOfRange(r.data());
}

std::string BlockHeader(const Request& r)
{
    if (!layout::IsBlockKind(r.kind()))
        return "kind " + std::to_string(r.kind()) + " is never moved as a block";
    if (r.menu() != 0)
        return "block starting at address " + std::to_string(r.menu()) + " of its kind";
    if (!ValidBlockPreset(r.mode()))
        return "no preset " + std::to_string(r.mode());
    return {};
}

std::string ReadBlock(const Request& r)
{
    if (std::string why = BlockHeader(r); !why.empty())
        return why;
    if (r.frame.size() != 9)
        return Length(r, 9);
    return r.dataIsFiller() ? "" : "block read without its filler bytes";
}

std::string WriteBlock(const Request& r)
{
    if (std::string why = BlockHeader(r); !why.empty())
        return why;
    const std::size_t due = wire::kShortestRequest + layout::BlockSize(r.kind());
    if (r.frame.size() != due)
        return Length(r, due);
    return DigitsOutOfRange(r.data());
}

std::string StoreMode(const Request& r)
{
    if (r.mode() < kFirstUserPreset || r.mode() >= kPresetCount)
        return "preset " + std::to_string(r.mode()) + " cannot be stored";
    if (r.kind() != 0 || r.menu() != 0)
        return "preset store with address bytes other than 0";
    if (r.frame.size() != 9)
        return Length(r, 9);
    return r.dataIsFiller() ? "" : "preset store without its filler bytes";
}

std::string Password(const Request& r)
{
    if (r.mode() != 0)
        return "password request with byte 2 other than 0";
    if (r.kind() != 0 && r.kind() != 2)
        return "no password kind " + std::to_string(r.kind());
    const std::size_t digits = r.kind() == 0 ? kLockDigits : kRightsDigits;
    switch (r.menu()) {
    case 0:
    case 1: {
        const std::size_t due = wire::kShortestRequest + digits * static_cast<std::size_t>(r.menu() + 1);
        if (r.frame.size() != due)
            return Length(r, due);
        const auto d = r.data();
        return std::all_of(d.begin(), d.end(), [](std::uint8_t b) { return b <= 9; }) ? "" : "password digit above 9";
    }
    case 2:
        if (r.frame.size() != 9)
            return Length(r, 9);
        return r.dataIsFiller() ? "" : "password close without its filler bytes";
    default:
        return "no password operation " + std::to_string(r.menu());
    }
}

} // namespace

std::string RequestRefusal(std::span<const std::uint8_t> frame)
{
    const Request r{frame};
    switch (r.command()) {
    case wire::Handshake:
        return Handshake(r);
    case wire::WriteParam:
        return WriteParam(r);
    case wire::ReadBlock:
    case wire::ReadBlockBack:
        return ReadBlock(r);
    case wire::WriteBlock:
        return WriteBlock(r);
    case wire::StoreMode:
        return StoreMode(r);
    case wire::Password:
        return Password(r);
    case wire::ReadStatus:
        return FixedRequest(r, "status request");
    case wire::ReadDone:
        return FixedRequest(r, "read end");
    default:
        return "no request " + std::to_string(r.command());
    }
}

} // namespace quorix::sim
