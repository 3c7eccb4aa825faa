#pragma once

#include "frame.h"
#include "request_channel.h"

#include <functional>
#include <memory>
#include <vector>

namespace quorix::link {

// One request of a transfer. Its fields are asked for when it goes out, so a
// step may depend on the replies before it (the status names the preset to read).
struct StepRequest {
    Command command;
    int mode = 0;
    int address = 0;
    std::uint8_t modeOverride = 0;
};

struct TransferStep {
    std::function<StepRequest()> request;
    // Told when the request is over, answered or not; may be empty.
    std::function<void()> ended;
    // Takes the answered reply, may be empty; false ends the transfer there, incomplete.
    std::function<bool(const RequestOutcome&)> take;
};

// How a transfer ended: every step answered and taken, or not; faulted when a
// request could not be built or a reply could not be taken.
struct TransferEnd {
    bool complete = false;
    bool faulted = false;
};

// Sends a transfer's steps one request at a time, each after the reply of the
// one before, and tells `end` once how it ended. Nothing waits: each reply
// arrives in a turn of the event loop of its own. The run keeps itself alive
// until it has ended.
void RunSteps(RequestChannel& channel, std::vector<TransferStep> steps, std::function<void(TransferEnd)> end);

} // namespace quorix::link
