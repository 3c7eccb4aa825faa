#include "assumption_check.h"

#include "link/block_layout.h"
#include "link/connection_supervisor.h"
#include "link/frame.h"
#include "link/hid_device.h"
#include "link/reply_match.h"
#include "link/report_descriptor.h"
#include "link/request_channel.h"

#include "core/param_display.h"
#include "core/preset_name.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace quorix::support {

namespace {

constexpr int kHandshakePeriodMs =
    link::ConnectionSupervisor::kHandshakeEveryTicks * link::ConnectionSupervisor::kTickMs;
constexpr int kLastPreset = 7;

std::string Ids(const std::vector<std::uint32_t>& ids)
{
    std::string out;
    for (std::uint32_t id : ids)
        out += (out.empty() ? "" : ",") + std::to_string(id);
    return out.empty() ? "none" : out;
}

std::string After(const Exchange& exchange)
{
    return "after " + std::to_string(exchange.elapsedMs) + " ms";
}

// ", at attempt 2 (1 went unanswered)" when the answer took more than one attempt.
std::string Silences(const Exchange& exchange)
{
    if (exchange.attempts <= 1)
        return {};
    return ", at attempt " + std::to_string(exchange.attempts) + " (" + std::to_string(exchange.silentAttempts) +
           " brought nothing back)";
}

Verdict Unanswered(std::string key, std::string assumption, const Exchange& exchange, bool reached)
{
    if (!reached)
        return {std::move(key), std::move(assumption), Outcome::Unchecked, "not reached"};
    if (exchange.request.empty())
        return {std::move(key), std::move(assumption), Outcome::Fails, "not sent: the device could not be used"};
    return {std::move(key), std::move(assumption), Outcome::Fails,
            "no answer to " + Hex(exchange.request) + " in " + std::to_string(exchange.attempts) + " attempts of " +
                std::to_string(ProcessorProbe::kWaitMs) + " ms"};
}

Verdict ReportLengths(const ProbeRecord& record)
{
    const bool holds =
        record.inputLength == link::kDefaultReportLength && record.outputLength == link::kDefaultReportLength;
    return {"report-lengths", "input and output reports of 65 bytes", holds ? Outcome::Holds : Outcome::Fails,
            "input " + std::to_string(record.inputLength) + ", output " + std::to_string(record.outputLength) +
                " bytes with the id byte"};
}

Verdict ReportIdUse(const ProbeRecord& record)
{
    Verdict verdict{"report-ids", "input reports carry id 2, output reports id 1", Outcome::Unchecked, ""};
    if (record.descriptor.empty()) {
        verdict.evidence = "the platform gave no report descriptor";
        return verdict;
    }
    const link::ReportIds ids = link::ParseReportIds(record.descriptor);
    const auto has = [](const std::vector<std::uint32_t>& list, std::uint32_t id) {
        return std::find(list.begin(), list.end(), id) != list.end();
    };
    verdict.outcome = has(ids.input, link::kInputReportId) && has(ids.output, link::kOutputReportId) ? Outcome::Holds
                                                                                                     : Outcome::Fails;
    verdict.evidence = "descriptor declares input ids " + Ids(ids.input) + ", output ids " + Ids(ids.output);
    return verdict;
}

Verdict Handshake(const ProbeRecord& record)
{
    const std::string assumption = "the handshake is answered \"QUORIX_\" and variant 1 or 3";
    if (!record.handshake.answered)
        return Unanswered("handshake", assumption, record.handshake, record.opened);
    const link::Bytes& reply = record.handshake.reply;
    const bool holds = link::IsHandshakeReply(reply) && reply.size() == 8 && (reply[7] == '1' || reply[7] == '3');
    std::string evidence = Hex(reply);
    if (holds)
        evidence += " (variant " + std::string(1, static_cast<char>(reply[7])) + ")";
    return {"handshake", assumption, holds ? Outcome::Holds : Outcome::Fails, evidence};
}

Verdict HandshakeTime(const ProbeRecord& record)
{
    const std::string assumption =
        "the handshake is answered before the next one, " + std::to_string(kHandshakePeriodMs) + " ms later";
    if (!record.handshake.answered)
        return {"handshake-time", assumption, Outcome::Unchecked, "no answer"};
    const bool holds = record.handshake.elapsedMs < kHandshakePeriodMs && record.handshake.silentAttempts == 0;
    return {"handshake-time", assumption, holds ? Outcome::Holds : Outcome::Fails,
            "answered " + After(record.handshake) + Silences(record.handshake)};
}

Verdict Status(const ProbeRecord& record)
{
    const std::string assumption = "the status reply is 2 bytes, the second the preset 0..7";
    if (!record.status.answered)
        return Unanswered("status", assumption, record.status, record.handshake.answered);
    const link::Bytes& reply = record.status.reply;
    const bool holds = reply.size() == 2 && reply[1] <= kLastPreset;
    std::string evidence = Hex(reply);
    if (holds)
        evidence += " (preset " + std::string(core::PresetName(reply[1])) + ")";
    return {"status", assumption, holds ? Outcome::Holds : Outcome::Fails, evidence};
}

Verdict BlockSize(const BlockExchange& block, std::string key, std::string assumption)
{
    if (!block.exchange.answered)
        return Unanswered(std::move(key), std::move(assumption), block.exchange, true);
    const std::size_t expected = link::BlockDataSize(block.kind);
    const std::size_t size = block.exchange.reply.size();
    return {std::move(key), std::move(assumption), size == expected ? Outcome::Holds : Outcome::Fails,
            std::to_string(size) + " bytes, " + std::to_string(expected) + " expected, to " +
                Hex(block.exchange.request)};
}

std::vector<Verdict> BlockSizes(const ProbeRecord& record)
{
    std::vector<Verdict> verdicts;
    for (const BlockExchange& block : record.blocks)
        verdicts.push_back(BlockSize(block, "block-size-" + std::to_string(block.kind),
                                     "the block of kind " + std::to_string(block.kind) + " (" +
                                         core::KindName(block.kind) + ") is " +
                                         std::to_string(link::BlockDataSize(block.kind)) + " bytes"));
    return verdicts;
}

// The sum of the bytes before the checksum, low 8 bits, before folding.
std::uint8_t RawSum(const link::Bytes& frame)
{
    return static_cast<std::uint8_t>(std::accumulate(frame.begin(), frame.end() - 1, 0u));
}

Verdict Checksum(const ProbeRecord& record)
{
    Verdict verdict{"checksum", "replies carry the sum of their bytes, FD..FF folded to 00", Outcome::Holds, ""};
    if (record.validFrames.empty() && record.badFrames.empty()) {
        verdict.outcome = Outcome::Unchecked;
        verdict.evidence = "no frame came back";
        return verdict;
    }
    const auto folded = std::count_if(record.validFrames.begin(), record.validFrames.end(),
                                      [](const link::Bytes& frame) { return RawSum(frame) >= 0xFD; });
    verdict.evidence =
        std::to_string(record.validFrames.size()) + " frames matched (" + std::to_string(folded) + " of them folded)";
    if (!record.badFrames.empty()) {
        const link::Bytes& bad = record.badFrames.front();
        char sums[64];
        std::snprintf(sums, sizeof sums, ": checksum %02X where the sum is %02X, %02X folded", bad.back(), RawSum(bad),
                      link::FrameChecksum(std::span(bad).first(bad.size() - 1)));
        verdict.outcome = Outcome::Fails;
        verdict.evidence = std::to_string(record.badFrames.size()) + " of " +
                           std::to_string(record.badFrames.size() + record.validFrames.size()) +
                           " frames failed, first " + Hex(bad) + sums;
    }
    return verdict;
}

Verdict RoundTrip(const ProbeRecord& record)
{
    const std::string assumption = "every request is answered within the " +
                                   std::to_string(link::RequestChannel::kReplyTimeoutMs) + " ms the console waits";
    std::vector<const Exchange*> timed = {&record.status, &record.readDone};
    for (const BlockExchange& block : record.blocks)
        timed.push_back(&block.exchange);
    std::erase_if(timed, [](const Exchange* exchange) { return !exchange->answered; });
    if (timed.empty())
        return {"round-trip", assumption, Outcome::Unchecked, "no request was answered"};
    // An attempt that brought nothing back is a reply lost or later than any wait.
    const auto silent =
        std::find_if(timed.begin(), timed.end(), [](const Exchange* e) { return e->silentAttempts > 0; });
    if (silent != timed.end())
        return {"round-trip", assumption, Outcome::Fails,
                "answered " + After(**silent) + Silences(**silent) + ", to " + Hex((*silent)->request)};
    const Exchange* slowest = *std::max_element(
        timed.begin(), timed.end(), [](const Exchange* a, const Exchange* b) { return a->elapsedMs < b->elapsedMs; });
    return {"round-trip", assumption,
            slowest->elapsedMs < link::RequestChannel::kReplyTimeoutMs ? Outcome::Holds : Outcome::Fails,
            "slowest answered " + After(*slowest) + ", to " + Hex(slowest->request)};
}

Verdict OneAnswer(const ProbeRecord& record)
{
    Verdict verdict{"one-answer", "each request is answered once", Outcome::Holds,
                    "no frame came when no request waited"};
    if (record.validFrames.empty()) {
        verdict.outcome = Outcome::Unchecked;
        verdict.evidence = "no frame came back";
    } else if (!record.unexpected.empty()) {
        verdict.outcome = Outcome::Fails;
        verdict.evidence = std::to_string(record.unexpected.size()) + " frames came when no request waited, first " +
                           Hex(record.unexpected.front());
    }
    return verdict;
}

Verdict KeepAlive(const ProbeRecord& record)
{
    const std::string assumption = "the keep-alive FF is answered FF";
    if (!record.keepAlive.answered)
        return Unanswered("keep-alive", assumption, record.keepAlive, !record.blocks.empty());
    return {"keep-alive", assumption, Outcome::Holds, "FF " + After(record.keepAlive)};
}

Verdict ReadDone(const ProbeRecord& record)
{
    const std::string assumption = "the end of a read is acknowledged";
    if (!record.readDone.answered)
        return Unanswered("read-done", assumption, record.readDone, !record.blocks.empty());
    const bool holds = link::ReplyFits(link::Command::ReadDone, 0, record.readDone.reply);
    return {"read-done", assumption, holds ? Outcome::Holds : Outcome::Fails, Hex(record.readDone.reply)};
}

} // namespace

std::string Hex(std::span<const std::uint8_t> bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (std::uint8_t b : bytes) {
        if (!out.empty())
            out.push_back(' ');
        out.push_back(kDigits[b >> 4]);
        out.push_back(kDigits[b & 0xF]);
    }
    return out;
}

std::vector<Verdict> CheckAssumptions(const ProbeRecord& record)
{
    std::vector<Verdict> verdicts = {ReportLengths(record), ReportIdUse(record), Handshake(record),
                                     HandshakeTime(record), Status(record)};
    if (record.blocks.empty()) {
        verdicts.push_back({"block-size", "each kind's block has its size", Outcome::Unchecked, "not reached"});
    } else {
        const auto sizes = BlockSizes(record);
        verdicts.insert(verdicts.end(), sizes.begin(), sizes.end());
    }
    verdicts.push_back(ReadDone(record));
    const std::string dance = "the dance set answers block preset number 11";
    if (record.blocks.empty())
        verdicts.push_back({"dance-set", dance, Outcome::Unchecked, "not reached"});
    else
        verdicts.push_back(BlockSize(record.danceSet, "dance-set", dance));
    verdicts.push_back(Checksum(record));
    verdicts.push_back(OneAnswer(record));
    verdicts.push_back(RoundTrip(record));
    verdicts.push_back(KeepAlive(record));
    return verdicts;
}

std::string VerdictLine(const Verdict& verdict)
{
    const char* word = verdict.outcome == Outcome::Holds ? "ok" : verdict.outcome == Outcome::Fails ? "FAIL" : "?";
    char head[64];
    std::snprintf(head, sizeof head, "%-5s %-15s ", word, verdict.key.c_str());
    return head + verdict.assumption + ": " + verdict.evidence;
}

} // namespace quorix::support
