#include "reply_match.h"

#include "block_layout.h"

#include "core/address_map.h"
#include "core/record_check.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace quorix::link {

namespace {

constexpr std::string_view kHandshakeText = "QUORIX_";
constexpr std::size_t kShortReply = 2;
constexpr std::uint8_t kLastPreset = 7;

// The transferable kind whose block has exactly this many bytes.
std::optional<int> BlockKindOfSize(std::size_t size)
{
    for (int kind = 0; kind < core::kKindCount; ++kind)
        if (!core::IsSkippedKind(kind) && BlockDataSize(kind) == size)
            return kind;
    return std::nullopt;
}

bool FitsBlock(int address, std::span<const std::uint8_t> payload)
{
    const int kind = core::KindOfAddress(address);
    if (kind < 0 || core::IsSkippedKind(kind))
        return false;
    if (payload.size() == BlockDataSize(kind))
        return true;
    return payload.size() != kShortReply && !IsHandshakeReply(payload) && !BlockKindOfSize(payload.size());
}

bool BlockFieldsFit(int kind, std::span<const std::uint8_t> payload)
{
    if (std::any_of(payload.begin(), payload.end(), [](std::uint8_t b) { return b >= kDigitBase; }))
        return false;
    const core::ParamStore& layout = core::DefaultParamStore();
    std::size_t position = 0;
    for (int a = core::KindFirst(kind); a <= core::KindLast(kind); ++a) {
        core::ParamRecord record = layout.at(0, a);
        position = DecodeRecord(payload, position, record, TravelsAsBand(a));
        if (core::CheckRecord(record, layout.at(0, a)))
            return false;
    }
    return true;
}

} // namespace

bool IsHandshakeReply(std::span<const std::uint8_t> payload)
{
    return payload.size() >= kHandshakeText.size() &&
           std::equal(kHandshakeText.begin(), kHandshakeText.end(), payload.begin());
}

bool ReplyFits(Command command, int address, std::span<const std::uint8_t> payload)
{
    switch (command) {
    case Command::ReadBlock:
    case Command::ReadBlockBack:
        return FitsBlock(address, payload);
    case Command::ReadStatus:
        return payload.size() == kShortReply && payload[1] <= kLastPreset;
    case Command::Password:
        return payload.size() == kShortReply;
    case Command::Handshake:
        return IsHandshakeReply(payload);
    case Command::WriteParam:
    case Command::WriteBlock:
    case Command::StoreMode:
    case Command::ReadDone:
        // Processors acknowledge with whatever frame they like; only a frame that is
        // plainly the answer to another request (a handshake reply, a block) is no acknowledgement.
        return !IsHandshakeReply(payload) && !BlockKindOfSize(payload.size());
    }
    return false;
}

bool ReplyFieldsFit(Command command, int address, std::span<const std::uint8_t> payload)
{
    if (command != Command::ReadBlock && command != Command::ReadBlockBack)
        return true;
    const int kind = core::KindOfAddress(address);
    return kind < 0 || core::IsSkippedKind(kind) || payload.size() != BlockDataSize(kind) ||
           BlockFieldsFit(kind, payload);
}

std::string ReplyShape(std::span<const std::uint8_t> payload)
{
    if (IsHandshakeReply(payload))
        return "Handshake";
    if (payload.size() == kShortReply)
        return "Short";
    if (const auto kind = BlockKindOfSize(payload.size()))
        return "Block" + std::to_string(*kind);
    return "Frame";
}

} // namespace quorix::link
