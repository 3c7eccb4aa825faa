#include "frame_parser.h"

namespace quorix::link {

void FrameParser::parseIncoming(std::span<const std::uint8_t> data, FrameListener& listener, std::int64_t arrivedAtMs)
{
    for (std::uint8_t b : data) {
        if (b == kKeepAlive) {
            listener.onKeepAliveAnswer();
        } else if (b == kToneReset) {
            listener.onToneReset();
        } else if (b == kFrameStart) {
            m_frame[0] = b;
            m_index = 1;
            m_frameArrivalMs = arrivedAtMs;
        } else if (m_index > 0) {
            m_frame[m_index++] = b;
            examine(listener);
        }
        // Bytes outside a frame are ignored.
    }
}

void FrameParser::examine(FrameListener& listener)
{
    const std::size_t length = m_frame[1];
    if (m_index < 2 || m_index < length)
        return;
    const std::span<const std::uint8_t> whole(m_frame.data(), m_index);
    // A length below 3 has no room for a checksum; it counts as a bad frame.
    if (length < 3 || FrameChecksum(whole.first(length - 1)) != m_frame[length - 1]) {
        m_index = 0;
        listener.onBadFrame(whole);
        return;
    }
    m_index = 0;
    listener.onFrame(whole.subspan(2, length - 3), whole.first(length));
}

} // namespace quorix::link
