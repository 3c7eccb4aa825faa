#include "block_transfer.h"

#include "block_layout.h"
#include "frame_fault.h"

#include "core/address_map.h"
#include "core/common_addresses.h"

#include <utility>
#include <vector>

namespace quorix::link {

BlockTransfer::BlockTransfer(RequestChannel& channel, LinkHost& host, const core::ParamStore& store,
                             core::StoreTaker& taker, core::ViewState& view, core::ProcessorRecord& record)
    : m_channel(channel), m_host(host), m_store(store), m_taker(taker), m_view(view), m_record(record)
{}

void BlockTransfer::progress(Position& at)
{
    m_host.report({LinkCode::Progress, ++at.done, at.total});
}

// One kind's block read under the position's preset, decoded into one mode of `target`.
TransferStep BlockTransfer::readKindStep(const Shared& at, int kind, Command readCode, int preset,
                                         const core::ParamStore& current, core::StoreTaker& into, int targetMode,
                                         std::function<void()> taken)
{
    return {.request =
                [at, kind, readCode, preset] {
                    at->onPreset = preset == kOwnPreset ? at->preset : preset;
                    at->kind = kind;
                    at->address = core::KindFirst(kind);
                    const bool global = core::KindFirst(kind) >= core::kFirstGlobalAddress;
                    return StepRequest{readCode, at->onPreset, at->address,
                                       static_cast<std::uint8_t>(global ? at->onPreset : 0)};
                },
            .ended = [this, at] { recalled(*at); },
            .take =
                [this, at, &current, &into, targetMode, taken = std::move(taken)](const RequestOutcome& outcome) {
                    if (!decodeKind(*at, outcome.reply, current, into, targetMode))
                        return false;
                    if (taken)
                        taken();
                    progress(*at);
                    return true;
                }};
}

bool BlockTransfer::decodeKind(Position& at, const Bytes& payload, const core::ParamStore& current,
                               core::StoreTaker& into, int targetMode)
{
    // A reply of the wrong size is refused before anything of it reaches the store.
    if (payload.size() != BlockDataSize(at.kind)) {
        m_host.report({LinkCode::CountMismatch});
        return false;
    }
    std::vector<core::ParamRecord> decoded;
    std::size_t position = 0;
    for (int a = core::KindFirst(at.kind); a <= core::KindLast(at.kind); ++a) {
        at.address = a;
        core::ParamRecord record = current.at(targetMode, a);
        position = DecodeRecord(payload, position, record, TravelsAsBand(a));
        decoded.push_back(record);
    }
    for (std::size_t i = 0; i < decoded.size(); ++i)
        into.setCopy(targetMode, core::KindFirst(at.kind) + static_cast<int>(i), decoded[i]);
    return true;
}

// The dance set of the kind, read into the store's dance copies after its singing set.
void BlockTransfer::danceKindRead(int kind)
{
    for (int address = core::KindFirst(kind); address <= core::KindLast(kind); ++address) {
        const core::ParamRecord& dance = m_store.at(1, address);
        const core::ParamRecord& singing = m_store.at(0, address);
        if (dance.perMode || dance == singing) {
            m_record.read(1, address);
            continue;
        }
        // A shared parameter has one value on screen, the singing set's: the
        // processor's stale dance copy (left by a block write, which carries
        // the singing set only) is written again.
        m_taker.setCopy(1, address, singing);
        m_record.writeQueued(1, address);
        m_channel.queueWrite(1, address);
    }
}

// A block request naming one of the eight presets makes the processor recall it
// first, unless it is the one in use: both sets of every mode kind are replaced,
// kinds 2, 5 and 6 too, which no block read brings back. Marked once the request
// is over, answered or not: a write queued before it was answered before it, so
// its acknowledgement no longer says what the processor holds.
void BlockTransfer::recalled(Position& at)
{
    if (!std::exchange(at.recalls, false))
        return;
    for (int mode = 0; mode < 2; ++mode)
        m_record.replacedByProcessor(mode, 0, core::kFirstGlobalAddress - 1);
}

void BlockTransfer::readFromDevice(int preset, bool full, Command readCode, TransferDone done)
{
    const auto at = std::make_shared<Position>(Position{.preset = preset, .onPreset = preset, .recalls = !full});
    m_host.report({LinkCode::StoreReadStarted});
    const bool globals = full || readCode != Command::ReadBlock;
    at->total = (full ? 1 : 0) + 2 * static_cast<int>(kBlockModeKinds.size()) +
                (globals ? static_cast<int>(kBlockGlobalKinds.size()) : 0) + 1;
    m_host.report({LinkCode::Progress, 0, at->total});

    std::vector<TransferStep> steps;
    if (full)
        steps.push_back({.request = [] { return StepRequest{Command::ReadStatus}; },
                         .ended = {},
                         .take =
                             [this, at](const RequestOutcome& status) {
                                 m_view.currentPreset = status.reply[1];
                                 at->preset = status.reply[1];
                                 at->onPreset = at->preset;
                                 progress(*at);
                                 m_host.report({LinkCode::Preset, at->preset});
                                 return true;
                             }});
    else
        m_host.report({LinkCode::Preset, at->preset});
    const auto kindRead = [this](int kind) { return [this, kind] { m_record.kindRead(0, kind); }; };
    for (int kind : kBlockModeKinds)
        steps.push_back(readKindStep(at, kind, readCode, kOwnPreset, m_store, m_taker, 0, kindRead(kind)));
    if (globals)
        for (int kind : kBlockGlobalKinds)
            steps.push_back(readKindStep(at, kind, readCode, kOwnPreset, m_store, m_taker, 0, kindRead(kind)));
    for (int kind : kBlockModeKinds)
        steps.push_back(readKindStep(at, kind, Command::ReadBlock, kDanceSetPreset, m_store, m_taker, 1,
                                     [this, kind] { danceKindRead(kind); }));
    steps.push_back({.request =
                         [this, at] {
                             at->onPreset = at->preset;
                             m_host.report({.code = LinkCode::MasterMaxima,
                                            .values = {m_store.at(0, core::kMaximumLevels).value,
                                                       m_store.at(0, core::kMaximumLevels + 1).value,
                                                       m_store.at(0, core::kMaximumLevels + 2).value}});
                             return StepRequest{Command::ReadDone};
                         },
                     .ended = {},
                     .take =
                         [this, at](const RequestOutcome&) {
                             core::ParamRecord rights = m_store.at(0, core::kRightsAddress);
                             rights.value = 1;
                             m_taker.setCopy(0, core::kRightsAddress, rights);
                             core::MirrorSharedParameters(m_store, m_taker);
                             progress(*at);
                             return true;
                         }});
    RunSteps(m_channel, std::move(steps), [this, at, done = std::move(done)](TransferEnd end) {
        finishRead(end.complete, end.faulted, *at);
        if (done)
            done(end.complete);
    });
}

void BlockTransfer::finishRead(bool complete, bool fault, const Position& at)
{
    if (fault)
        m_host.report({.code = LinkCode::ReadFaultAt, .values = {at.onPreset, at.kind, at.address & 0xFF}});
    // Whatever the processor holds here, the console only knows two modes.
    m_view.currentMode = m_store.at(0, core::kModeAddress).value != 0 ? 1 : 0;
    m_view.autoModeControl = m_store.at(0, core::kAutoModeAddress).value != 0 ? 1 : 0;
    m_host.report({LinkCode::ModeStateLoaded});
    m_host.report({LinkCode::StoreRead, complete ? 1 : 0});
    m_host.report({LinkCode::TransferEnded});
}

bool BlockTransfer::writable(int preset) const
{
    const auto globalOverride = static_cast<std::uint8_t>(preset);
    for (int kind : kBlockModeKinds)
        if (!m_channel.buildable(Command::WriteBlock, preset, core::KindFirst(kind)))
            return false;
    for (int kind : kBlockGlobalKinds)
        if (!m_channel.buildable(Command::WriteBlock, preset, core::KindFirst(kind), globalOverride))
            return false;
    return true;
}

void BlockTransfer::writeToDevice(int preset, TransferDone done)
{
    m_host.report({LinkCode::TransferStarted});
    const auto at = std::make_shared<Position>(
        Position{.preset = preset,
                 .recalls = true,
                 .total = static_cast<int>(kBlockModeKinds.size() + kBlockGlobalKinds.size())});
    m_host.report({LinkCode::Progress, 0, at->total});
    const auto ended = [this, done = std::move(done)](TransferEnd end) {
        if (end.faulted)
            m_host.report({LinkCode::WriteFailed});
        else if (!end.complete)
            m_host.report({LinkCode::WriteCutOff});
        m_host.report({LinkCode::ProcessorWritten});
        m_host.report({LinkCode::TransferEnded});
        if (done)
            done(end.complete);
    };
    // The whole configuration is checked before its first byte goes out:
    // a refused one leaves the processor as it was.
    if (!writable(preset)) {
        ended({false, true});
        return;
    }
    // The processor takes the image, the store does not: until the read-back
    // what it holds of these kinds is unknown.
    for (int kind : kBlockModeKinds)
        m_record.transferCutOff(0, core::KindFirst(kind), core::KindLast(kind));
    for (int kind : kBlockGlobalKinds)
        m_record.transferCutOff(0, core::KindFirst(kind), core::KindLast(kind));
    std::vector<TransferStep> steps;
    const auto send = [&](int kind, std::uint8_t modeOverride) {
        steps.push_back({.request =
                             [preset, kind, modeOverride] {
                                 return StepRequest{Command::WriteBlock, preset, core::KindFirst(kind), modeOverride};
                             },
                         .ended = [this, at] { recalled(*at); },
                         .take =
                             [this, at](const RequestOutcome&) {
                                 progress(*at);
                                 return true;
                             }});
    };
    for (int kind : kBlockModeKinds)
        send(kind, 0);
    for (int kind : kBlockGlobalKinds)
        send(kind, static_cast<std::uint8_t>(preset));
    RunSteps(m_channel, std::move(steps), ended);
}

void BlockTransfer::readWorkingSet(int preset, core::ParamStore& target, TransferDone done)
{
    m_host.report({LinkCode::TransferStarted});
    const auto at = std::make_shared<Position>(Position{.preset = preset,
                                                        .total = 2 * static_cast<int>(kBlockModeKinds.size()) +
                                                                 static_cast<int>(kBlockGlobalKinds.size()) + 1});
    m_host.report({LinkCode::Progress, 0, at->total});
    // The user's rights are the console's own state, not a setting to compare.
    const std::int32_t rights = target.at(0, core::kRightsAddress).value;
    // The scratch store no view shows: the blocks go straight into it, for as long as the transfer runs.
    const auto copies = std::make_shared<core::StoreCopies>(target);
    std::vector<TransferStep> steps;
    // Every set in turn, kind by kind: no two blocks read one after the other
    // have the same size, so a repeated or late reply never passes for the next one.
    for (const auto& [mode, setPreset] : {std::pair{0, preset}, std::pair{1, kDanceSetPreset}})
        for (int kind : kBlockModeKinds)
            steps.push_back(readKindStep(at, kind, Command::ReadBlock, setPreset, target, *copies, mode, {}));
    for (int kind : kBlockGlobalKinds)
        steps.push_back(readKindStep(at, kind, Command::ReadBlock, preset, target, *copies, 0, {}));
    steps.push_back({.request = [] { return StepRequest{Command::ReadDone}; },
                     .ended = {},
                     .take =
                         [this, at](const RequestOutcome&) {
                             progress(*at);
                             return true;
                         }});
    RunSteps(m_channel, std::move(steps), [this, &target, copies, rights, done = std::move(done)](TransferEnd end) {
        if (end.faulted)
            m_host.report({LinkCode::ReadFault});
        target.at(0, core::kRightsAddress).value = rights;
        // No mirror here: a shared parameter's dance copy is compared as the processor holds it.
        m_host.report({LinkCode::TransferEnded});
        if (done)
            done(end.complete);
    });
}

} // namespace quorix::link
