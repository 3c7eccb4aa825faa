#include "request_assembler.h"

namespace quorix::sim {

namespace {

std::string HexByte(std::uint8_t b)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[b >> 4], kDigits[b & 0x0F]};
}

} // namespace

void RequestAssembler::reset()
{
    m_state = State::Between;
    m_frame.clear();
}

void RequestAssembler::refuse(Events& events, std::string reason)
{
    events.onRefused(std::move(reason), m_frame);
    m_frame.clear();
    m_state = State::Skipping;
}

void RequestAssembler::receive(std::span<const std::uint8_t> bytes, Events& events)
{
    for (std::uint8_t b : bytes) {
        if (b == wire::kKeepAlive) {
            if (m_state == State::InFrame) {
                m_frame.push_back(b);
                refuse(events, "keep-alive byte inside a frame");
            }
            events.onKeepAlive();
            continue;
        }
        if (b == wire::kStart) {
            if (m_state == State::InFrame) {
                m_frame.push_back(b);
                refuse(events, "frame cut off by a new start byte");
            }
            m_frame.assign(1, b);
            m_state = State::InFrame;
            continue;
        }
        if (m_state == State::Skipping)
            continue;
        if (m_state == State::Between)
            m_frame.clear();
        if (b == wire::kToneReset) {
            m_frame.push_back(b);
            refuse(events, m_state == State::InFrame ? "tone-reset byte inside a frame"
                                                     : "tone-reset byte sent to the processor");
            continue;
        }
        if (m_state == State::Between) {
            m_frame.push_back(b);
            refuse(events, "byte outside a frame");
            continue;
        }
        m_frame.push_back(b);
        if (m_frame.size() < wire::kHeaderLength)
            continue;
        const std::size_t length = m_frame[wire::kHeaderLength - 1];
        if (length < wire::kShortestRequest || length > wire::kLongestFrame) {
            refuse(events, "length byte " + std::to_string(length) + " out of range");
            continue;
        }
        if (m_frame.size() < length)
            continue;
        const std::uint8_t expected = wire::Checksum(std::span(m_frame).first(length - 1));
        if (m_frame.back() != expected) {
            refuse(events, "checksum " + HexByte(m_frame.back()) + " where " + HexByte(expected) + " was due");
            continue;
        }
        const wire::Bytes frame = std::move(m_frame);
        m_frame.clear();
        m_state = State::Between;
        events.onRequest(frame);
    }
}

} // namespace quorix::sim
