#pragma once

#include "scheduler.h"

#include <functional>
#include <memory>
#include <optional>

namespace quorix::core {

// Starts an operation that tells its outcome to a callback, and drives the
// scheduler until it has. For programs whose thread shows no window
// (quorix-cli, quorix-agent, the soak): the console's windows chain on the
// outcome instead.
template <typename Outcome>
Outcome AwaitOutcome(Scheduler& scheduler, const std::function<void(std::function<void(Outcome)>)>& start)
{
    const auto told = std::make_shared<std::optional<Outcome>>();
    start([told](Outcome outcome) { *told = std::move(outcome); });
    while (!told->has_value())
        scheduler.processPendingEvents();
    return std::move(**told);
}

} // namespace quorix::core
