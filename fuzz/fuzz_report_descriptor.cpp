// A device's report descriptor: its lengths are parsed, and the transport is
// opened on them, sends a frame and polls, as with a real device.

#include "fuzz_check.h"
#include "fuzz_device.h"

#include "link/hid_port.h"
#include "link/report_descriptor.h"

#include "core/manual_scheduler.h"

#include <algorithm>
#include <vector>

using namespace quorix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const link::ReportLengths lengths = link::ParseReportLengths({data, size});
    FUZZ_CHECK(lengths.input <= link::kMaxReportLength + 1 && lengths.output <= link::kMaxReportLength + 1);
    const bool usable = link::ReportLengthFault(lengths).empty();

    core::ManualScheduler clock;
    std::size_t written = 0;
    int reads = 0;
    FuzzBackend device(
        lengths.input, lengths.output,
        [&](std::span<std::uint8_t> buffer) {
            FUZZ_CHECK(buffer.size() == lengths.input);
            if (++reads % 2 == 0)
                return 0;
            // An input report as long as the device claims, length byte at its largest.
            std::fill(buffer.begin(), buffer.end(), std::uint8_t{0x23});
            buffer[0] = link::kInputReportId;
            buffer[1] = 0xFF;
            return static_cast<int>(buffer.size());
        },
        [&](std::span<const std::uint8_t> report) {
            FUZZ_CHECK(report.size() == lengths.output);
            FUZZ_CHECK(report[0] == link::kOutputReportId && report[1] <= report.size() - 2);
            written += report[1];
            return true;
        });
    std::size_t arrived = 0;
    link::HidPort usb(device, clock,
                      {[&](std::span<const std::uint8_t> payload, std::int64_t) {
                           FUZZ_CHECK(payload.size() + 2 <= lengths.input);
                           arrived += payload.size();
                       },
                       {},
                       {},
                       {}});
    FUZZ_CHECK(usb.connect() == usable);
    if (!usable) {
        FUZZ_CHECK(usb.inputReportLength() == 0 && usb.outputReportLength() == 0);
        return 0;
    }
    const std::vector<std::uint8_t> frame(300, 0x23);
    FUZZ_CHECK(usb.sendData(frame));
    FUZZ_CHECK(written == frame.size());
    usb.startPolling();
    clock.advance(20);
    FUZZ_CHECK(arrived > 0);
    return 0;
}
