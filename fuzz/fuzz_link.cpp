// The whole link against the virtual processor on a faulty line: connection
// search, handshake, full synchronisation, link loss and search again, with
// every reply passed, dropped, late, duplicated, resized, split, corrupted or
// preceded by noise as the fuzzer says. Whatever happens, the store holds
// only values the processor holds (or the console's own defaults).

#include "faulty_port.h"
#include "fuzz_check.h"

#include "link/device_link.h"
#include "link/link_workspace.h"
#include "link/null_link_host.h"

#include "core/address_map.h"
#include "core/common_addresses.h"
#include "core/manual_scheduler.h"

#include <vector>

using namespace quorix;

namespace {

constexpr std::int64_t kRunMs = 20000;

class Host final : public link::NullLinkHost {
public:
    void report(const link::LinkReport& report) override
    {
        if (report.code == link::LinkCode::Synchronised || report.code == link::LinkCode::SyncFailed)
            outcomes.push_back(report.code == link::LinkCode::Synchronised);
    }
    std::vector<bool> outcomes;
};

// Gives every record of the processor a value of its own, so a value taken
// from the wrong place or the wrong reply shows.
void MarkEveryRecord(sim::VirtualProcessor& processor)
{
    const core::ParamStore memory = processor.working();
    for (int mode = 0; mode < 2; ++mode)
        for (int a = 0; a < core::kAddressCount; ++a) {
            const core::ParamRecord& r = memory.at(mode, a);
            if (!r.defined)
                continue;
            const std::int32_t mark = 1 + a + 3000 * mode;
            if (r.paramClass == core::ParamClass::EqBand) {
                sim::BandSetting band = processor.band(mode, a);
                band.gain = mark;
                band.q = mark % 101;
                band.frequency = mark % 363;
                processor.setBand(mode, a, band);
            } else {
                processor.setValue(mode, a, mark);
            }
        }
}

bool CameFromTheProcessor(const core::ParamRecord& record, int address, const std::vector<core::ParamStore>& memories)
{
    for (const core::ParamStore& memory : memories)
        for (int mode = 0; mode < 2; ++mode)
            if (memory.at(mode, address) == record)
                return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider fuzz(data, size);
    core::ManualScheduler clock;
    sim::VirtualProcessor processor;
    MarkEveryRecord(processor);
    std::vector<core::ParamStore> memories{processor.working()};
    for (int preset = 0; preset < 8; ++preset)
        memories.push_back(processor.preset(preset));
    FaultyPort port(processor, clock, fuzz);

    link::LinkWorkspace work;
    const core::ParamStore before = work.store;
    Host host;
    link::DeviceLink device(port, clock, work.context(), host);
    device.start();
    while (clock.nowMs() < kRunMs && (host.outcomes.empty() || fuzz.remaining_bytes() > 0))
        clock.advance(10);
    device.stop();

    FUZZ_CHECK(work.view.currentPreset < 8);
    for (int mode = 0; mode < 2; ++mode)
        for (int a = 0; a < core::kAddressCount; ++a) {
            const core::ParamRecord& r = work.store.at(mode, a);
            if (r == before.at(mode, a) || a == core::kRightsAddress ||
                (a == core::kToneAddress && r.value == core::kNeutralTone))
                continue;
            if (!CameFromTheProcessor(r, a, memories)) {
                std::fprintf(stderr, "store (%d, 0x%03X) holds a record the processor never had\n", mode, a);
                FUZZ_CHECK(false);
            }
        }
    return 0;
}
