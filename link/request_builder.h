#pragma once

#include "frame.h"

#include "core/digit_buffer.h"
#include "core/param_store.h"

#include <cstdint>

namespace quorix::link {

// Where the data of a request comes from.
struct RequestSources {
    const core::ParamStore& store; // single-parameter writes
    const core::ParamStore& image; // block writes (a loaded configuration)
    std::uint8_t currentMode;
    const core::DigitBuffer& digits; // password digits
};

// The request frame for (command, mode, address), header rules, data, length and
// checksum. `modeOverride`, when non-zero, replaces the mode byte once and is
// cleared. Throws FrameFault when a value cannot travel.
Bytes BuildRequest(Command command, int mode, int address, std::uint8_t& modeOverride, const RequestSources& sources);

} // namespace quorix::link
