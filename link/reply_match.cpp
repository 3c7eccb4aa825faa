#include "reply_match.h"

#include "block_layout.h"

#include "core/address_map.h"

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
        return payload.size() == kShortReply && payload[0] == static_cast<std::uint8_t>(command);
    }
    return false;
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
