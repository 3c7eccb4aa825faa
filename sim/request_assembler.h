#pragma once

#include "wire_format.h"

#include <span>
#include <string>

namespace quorix::sim {

// Cuts the console's byte stream into request frames, strictly: a frame is
// FE, four header bytes, a length byte of 7..252, and exactly that many bytes
// with the folded checksum last. No signal byte may appear inside a frame and
// nothing but a keep-alive may appear between frames. Whatever breaks a rule
// is refused, and the bytes up to the next start or signal byte are skipped.
class RequestAssembler {
public:
    class Events {
    public:
        virtual ~Events() = default;
        virtual void onKeepAlive() = 0;
        virtual void onRequest(std::span<const std::uint8_t> frame) = 0;
        virtual void onRefused(std::string reason, std::span<const std::uint8_t> bytes) = 0;
    };

    void receive(std::span<const std::uint8_t> bytes, Events& events);
    // Forgets a partial frame (the USB connection went away).
    void reset();

private:
    enum class State { Between, InFrame, Skipping };

    void refuse(Events& events, std::string reason);

    State m_state = State::Between;
    wire::Bytes m_frame;
};

} // namespace quorix::sim
