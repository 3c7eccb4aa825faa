#include "step_runner.h"

#include <exception>
#include <utility>

namespace quorix::link {

namespace {

struct Run : std::enable_shared_from_this<Run> {
    Run(RequestChannel& on, std::vector<TransferStep> planned, std::function<void(TransferEnd)> told)
        : channel(on), steps(std::move(planned)), end(std::move(told))
    {}

    RequestChannel& channel;
    std::vector<TransferStep> steps;
    std::function<void(TransferEnd)> end;
    std::size_t next = 0;
    bool faulted = false;

    void advance()
    {
        if (next == steps.size()) {
            end({true, faulted});
            return;
        }
        StepRequest request;
        try {
            request = steps[next].request();
        } catch (const std::exception&) {
            end({false, true});
            return;
        }
        channel.send(
            request.command, request.mode, request.address,
            [self = shared_from_this()](const RequestOutcome& outcome) { self->taken(outcome); }, request.modeOverride);
    }

    void taken(const RequestOutcome& outcome)
    {
        faulted = faulted || outcome.faulted;
        bool goOn = outcome.answered;
        try {
            if (steps[next].ended)
                steps[next].ended();
            goOn = goOn && (!steps[next].take || steps[next].take(outcome));
        } catch (const std::exception&) {
            faulted = true;
            goOn = false;
        }
        if (!goOn) {
            end({false, faulted});
            return;
        }
        ++next;
        advance();
    }
};

} // namespace

void RunSteps(RequestChannel& channel, std::vector<TransferStep> steps, std::function<void(TransferEnd)> end)
{
    const auto run = std::make_shared<Run>(channel, std::move(steps), std::move(end));
    run->advance();
}

} // namespace quorix::link
