#pragma once

#include "topics.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorix::venue {

inline constexpr int kLevelCount = 3; // music, microphone, effect
inline constexpr std::array<std::string_view, kLevelCount> kLevelNames = {"music", "microphone", "effect"};
inline constexpr int kHighestLevel = 80;
inline constexpr int kHighestTone = 10;

// What the processor of a room runs, as its agent last read it.
struct ProcessorState {
    char variant = '1'; // '3' for the processor with the fewer pages
    int preset = 0;     // 0 KTV .. 7 USER5
    int mode = 0;       // 0 singing, 1 dance
    std::array<int, kLevelCount> levels{};
    std::array<bool, kLevelCount> muted{};
    int tone = 5;               // 0..10, 5 neutral
    std::string workingSetHash; // 16 hex digits
    bool operator==(const ProcessorState&) const = default;
};

// A room as its retained state topic tells it. An agent that is gone (its last
// will) is offline with nothing else known; an agent without a processor in
// reach is online with no processor.
struct RoomState {
    RoomAddress address;
    bool online = false;
    std::optional<ProcessorState> processor;
    std::int64_t lastSeen = 0; // seconds since 1970 UTC, 0 when unknown
    std::string tunedBy;       // the console tuning the room remotely; empty when none
    bool operator==(const RoomState&) const = default;
};

std::string StateJson(const RoomState& state);

struct ParsedState {
    std::optional<RoomState> state;
    std::string refusal;
};
// A payload that is not a whole state is refused, and names its first fault.
ParsedState ParseRoomState(std::string_view payload);

} // namespace quorix::venue
