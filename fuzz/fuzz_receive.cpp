// The receive path: input reports of every size and content, as a device may
// send them, through the transport's poll into the frame parser.

#include "fuzz_check.h"
#include "fuzz_device.h"

#include "link/frame.h"
#include "link/frame_parser.h"
#include "link/hid_port.h"

#include "core/manual_scheduler.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

using namespace quorix;

namespace {

// Every frame the parser accepts is a whole, well-formed frame.
class FrameChecker final : public link::FrameListener {
public:
    void onKeepAliveAnswer() override {}
    void onToneReset() override {}
    void onFrame(std::span<const std::uint8_t> payload, std::span<const std::uint8_t> frame) override
    {
        FUZZ_CHECK(frame.size() >= 3 && frame.size() <= link::kMaxFrameLength);
        FUZZ_CHECK(frame[0] == link::kFrameStart && frame[1] == frame.size());
        FUZZ_CHECK(payload.size() == frame.size() - 3);
        FUZZ_CHECK(std::equal(payload.begin(), payload.end(), frame.begin() + 2));
        FUZZ_CHECK(link::FrameChecksum(frame.first(frame.size() - 1)) == frame.back());
        for (std::size_t i = 1; i < frame.size(); ++i)
            FUZZ_CHECK(frame[i] < link::kToneReset);
    }
    void onBadFrame(std::span<const std::uint8_t> frame) override
    {
        FUZZ_CHECK(frame.size() <= link::FrameParser::kBufferSize);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider fuzz(data, size);
    core::ManualScheduler clock;
    const auto inputLength = fuzz.ConsumeIntegralInRange<std::size_t>(3, 300);
    // Reports of any size the buffer takes, the id and length bytes included.
    FuzzBackend device(
        inputLength, link::kDefaultReportLength,
        [&](std::span<std::uint8_t> buffer) {
            const std::size_t wanted = fuzz.ConsumeIntegralInRange<std::size_t>(0, 300);
            const auto bytes = fuzz.ConsumeBytes<std::uint8_t>(std::min(buffer.size(), wanted));
            std::copy(bytes.begin(), bytes.end(), buffer.begin());
            return static_cast<int>(bytes.size());
        },
        [](std::span<const std::uint8_t>) { return true; });
    link::FrameParser parser;
    FrameChecker checker;
    std::size_t arrived = 0;
    link::HidPort usb(device, clock,
                      {[&](std::span<const std::uint8_t> payload, std::int64_t) {
                           FUZZ_CHECK(payload.size() <= inputLength - 2);
                           arrived += payload.size();
                           parser.parseIncoming(payload, checker);
                       },
                       {},
                       {},
                       {}});
    FUZZ_CHECK(usb.connect());
    usb.startPolling();
    while (fuzz.remaining_bytes() > 0)
        clock.advance(link::HidPort::kPollMs);
    FUZZ_CHECK(arrived <= size);
    return 0;
}
