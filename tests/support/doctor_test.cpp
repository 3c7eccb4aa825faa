#include "support/assumption_check.h"
#include "support/processor_probe.h"

#include "sim/memory_file.h"
#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "core/manual_scheduler.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

using namespace quorix;

namespace {

constexpr const char* kPath = "sim:quorix-processor";

struct Bend {
    const char* name;
    std::function<void(sim::VirtualProcessor&, sim::SimUsbPort&)> apply;
    std::set<std::string> failing;
};

std::set<std::string> Failing(const std::vector<support::Verdict>& verdicts)
{
    std::set<std::string> keys;
    for (const auto& verdict : verdicts)
        if (verdict.outcome == support::Outcome::Fails)
            keys.insert(verdict.key);
    return keys;
}

std::string Lines(const std::vector<support::Verdict>& verdicts)
{
    std::string text;
    for (const auto& verdict : verdicts)
        text += support::VerdictLine(verdict) + "\n";
    return text;
}

} // namespace

// Each bend breaks one assumption; the doctor names that one and no other.
TEST(Doctor, NamesExactlyTheAssumptionAProcessorBreaks)
{
    const Bend bends[] = {
        {"none", [](auto&, auto&) {}, {}},
        {"33-byte reports", [](auto&, auto& port) { port.setReportLength(33); }, {"report-lengths"}},
        {"kind 0 two bytes long", [](auto& processor, auto&) { processor.resizeNextBlock(2); }, {"block-size-0"}},
        {"silent dance set", [](auto& processor, auto&) { processor.setDanceSetSilent(true); }, {"dance-set"}},
        {"slow handshake", [](auto&, auto& port) { port.delayNextReply(800); }, {"handshake-time"}},
        {"slow replies", [](auto&, auto& port) { port.setReplyDelay(700); }, {"handshake-time", "round-trip"}},
        {"silent keep-alive", [](auto& processor, auto&) { processor.setKeepAliveSilent(true); }, {"keep-alive"}},
        {"a damaged checksum", [](auto& processor, auto&) { processor.corruptNextChecksum(); }, {"checksum"}},
        {"a reply twice", [](auto& processor, auto&) { processor.duplicateNextReplies(1); }, {"one-answer"}},
        {"a lost reply", [](auto& processor, auto&) { processor.dropNextReplies(2); }, {"handshake-time"}},
    };
    for (const Bend& bend : bends) {
        core::ManualScheduler clock;
        sim::VirtualProcessor processor;
        sim::SimUsbPort port(processor, clock);
        bend.apply(processor, port);
        support::ProcessorProbe probe(port, clock, nullptr);
        const auto verdicts = support::CheckAssumptions(probe.run(kPath));
        EXPECT_EQ(Failing(verdicts), bend.failing) << bend.name << ":\n" << Lines(verdicts);
        for (const auto& verdict : verdicts)
            EXPECT_NE(verdict.outcome, support::Outcome::Unchecked) << bend.name << ": " << verdict.key;
    }
}

TEST(Doctor, WritesNothingAndReadsWhatTheProcessorHolds)
{
    core::ManualScheduler clock;
    sim::VirtualProcessor processor;
    processor.setValue(0, 0x0F, 123);
    sim::SimUsbPort port(processor, clock);
    const auto before = sim::EncodeProcessorContents(processor.contents());
    support::ProcessorProbe probe(port, clock, nullptr);
    const support::ProbeRecord record = probe.run(kPath);
    EXPECT_EQ(sim::EncodeProcessorContents(processor.contents()), before);
    EXPECT_EQ(processor.refusals().count(), 0) << processor.refusals().text();
    EXPECT_EQ(record.read.at(0, 0x0F).value, 123);
    EXPECT_NE(probe.traceRing().text().find("TX ReadBlock"), std::string::npos);
}

TEST(Doctor, ShowsTheBytesThatDecided)
{
    core::ManualScheduler clock;
    sim::VirtualProcessor processor;
    processor.setVariant('3');
    sim::SimUsbPort port(processor, clock);
    port.setReportLength(33);
    support::ProcessorProbe probe(port, clock, nullptr);
    const std::string lines = Lines(support::CheckAssumptions(probe.run(kPath)));
    for (const char* part : {"FAIL  report-lengths", "input 33, output 33 bytes", "input ids 2, output ids 1",
                             "51 55 4F 52 49 58 5F 33 (variant 3)", "00 00 (preset KTV)"})
        EXPECT_NE(lines.find(part), std::string::npos) << part << " in\n" << lines;
}

TEST(Doctor, AProcessorThatNeverAnswersFailsTheHandshakeAndLeavesTheRestUnchecked)
{
    core::ManualScheduler clock;
    sim::VirtualProcessor processor;
    processor.dropNextReplies(support::ProcessorProbe::kAttempts);
    sim::SimUsbPort port(processor, clock);
    support::ProcessorProbe probe(port, clock, nullptr);
    const auto verdicts = support::CheckAssumptions(probe.run(kPath));
    EXPECT_EQ(Failing(verdicts), std::set<std::string>{"handshake"}) << Lines(verdicts);
    EXPECT_EQ(verdicts.back().outcome, support::Outcome::Unchecked); // the keep-alive was never tried
}
