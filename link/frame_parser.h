#pragma once

#include "frame.h"

#include <array>
#include <cstdint>
#include <span>

namespace quorix::link {

// What the receive parser reports, byte by byte.
class FrameListener {
public:
    virtual ~FrameListener() = default;
    virtual void onKeepAliveAnswer() = 0;
    virtual void onToneReset() = 0;
    // A frame whose checksum matched; payload is bytes 2..L-2, frame the whole frame.
    virtual void onFrame(std::span<const std::uint8_t> payload, std::span<const std::uint8_t> frame) = 0;
    virtual void onBadFrame(std::span<const std::uint8_t> frame) = 0;
};

// Assembles incoming frames (FE, length, payload, checksum) from the bytes of
// the input reports, which may split a frame anywhere.
class FrameParser {
public:
    static constexpr std::size_t kBufferSize = 1000;

    // `arrivedAtMs`: when these bytes reached the computer.
    void parseIncoming(std::span<const std::uint8_t> data, FrameListener& listener, std::int64_t arrivedAtMs = 0);
    // Drops a partial frame (a new request is about to go out).
    void reset() { m_index = 0; }
    // When the start byte of the frame last handed to onFrame arrived: a frame
    // is as old as its first byte.
    std::int64_t frameArrivalMs() const { return m_frameArrivalMs; }

private:
    void examine(FrameListener& listener);

    std::array<std::uint8_t, kBufferSize> m_frame{};
    std::size_t m_index = 0; // bytes of the frame being assembled; 0 while between frames
    std::int64_t m_frameArrivalMs = 0;
};

} // namespace quorix::link
