#include "block_transfer.h"

#include "block_layout.h"
#include "frame_fault.h"

#include "core/address_map.h"
#include "core/common_addresses.h"

#include <utility>
#include <vector>

namespace quorix::link {

namespace {


} // namespace

BlockTransfer::BlockTransfer(RequestChannel& channel, LinkHost& host, core::ParamStore& store, core::ViewState& view,
                             core::ProcessorRecord& record)
    : m_channel(channel), m_host(host), m_store(store), m_view(view), m_record(record)
{
}

bool BlockTransfer::readKind(Step& step, Command readCode, int& done, int total, bool& fault)
{
    if (!readKindInto(step, readCode, m_store, 0, done, total, fault))
        return false;
    m_record.kindRead(0, step.kind);
    return true;
}

// Reads the dance set of the kind into the store's dance copies, after its singing set.
bool BlockTransfer::readDanceKind(Step& step, int& done, int total, bool& fault)
{
    if (!readKindInto(step, Command::ReadBlock, m_store, 1, done, total, fault))
        return false;
    for (int address = core::KindFirst(step.kind); address <= core::KindLast(step.kind); ++address) {
        core::ParamRecord& dance = m_store.at(1, address);
        const core::ParamRecord& singing = m_store.at(0, address);
        if (dance.PerMode || dance == singing) {
            m_record.read(1, address);
            continue;
        }
        // A shared parameter has one value on screen, the singing set's: the
        // processor's stale dance copy (left by a block write, which carries
        // the singing set only) is written again.
        dance = singing;
        m_record.writeQueued(1, address);
        m_channel.QueueWrite(1, address);
    }
    return true;
}

bool BlockTransfer::readKindInto(Step& step, Command readCode, core::ParamStore& target, int targetMode, int& done,
                                 int total, bool& fault)
{
    step.address = core::KindFirst(step.kind);
    const RequestOutcome outcome = m_channel.Transact(readCode, step.preset, step.address);
    recalled(step);
    fault = fault || outcome.faulted;
    if (!outcome.answered)
        return false;
    const Bytes& payload = outcome.reply;
    // A reply of the wrong size is refused before anything of it reaches the store.
    if (payload.size() != BlockDataSize(step.kind)) {
        m_host.report({LinkCode::CountMismatch});
        return false;
    }
    std::vector<core::ParamRecord> decoded;
    std::size_t position = 0;
    for (int a = step.address; a <= core::KindLast(step.kind); ++a) {
        step.address = a;
        core::ParamRecord record = target.at(targetMode, a);
        position = DecodeRecord(payload, position, record, TravelsAsBand(a));
        decoded.push_back(record);
    }
    for (std::size_t i = 0; i < decoded.size(); ++i)
        target.at(targetMode, core::KindFirst(step.kind) + static_cast<int>(i)) = decoded[i];
    m_host.report({LinkCode::Progress, ++done, total});
    return true;
}

// A block request naming one of the eight presets makes the processor recall it
// first, unless it is the one in use: both sets of every mode kind are replaced,
// kinds 2, 5 and 6 too, which no block read brings back. Marked once the request
// is over, answered or not: a write queued before it was answered before it, so
// its acknowledgement no longer says what the processor holds.
void BlockTransfer::recalled(Step& step)
{
    if (!std::exchange(step.recalls, false))
        return;
    for (int mode = 0; mode < 2; ++mode)
        m_record.replacedByProcessor(mode, 0, core::kFirstGlobalAddress - 1);
}

bool BlockTransfer::ReadFromDevice(int preset, bool full, Command readCode)
{
    Step step{preset, 0, 0, !full};
    bool result = false;
    bool fault = false;
    m_host.report({LinkCode::StoreReadStarted});

    const bool globals = full || readCode != Command::ReadBlock;
    const int total = (full ? 1 : 0) + 2 * static_cast<int>(kBlockModeKinds.size()) +
                      (globals ? static_cast<int>(kBlockGlobalKinds.size()) : 0) + 1;
    int done = 0;
    m_host.report({LinkCode::Progress, done, total});
    try {
        [&] {
            if (full) {
                const RequestOutcome status = m_channel.Transact(Command::ReadStatus, 0, 0);
                fault = status.faulted;
                if (!status.answered)
                    return;
                m_view.CurrentPreset = status.reply[1];
                step.preset = status.reply[1];
                m_host.report({LinkCode::Progress, ++done, total});
            }
            m_host.report({LinkCode::Preset, step.preset});
            for (int kind : kBlockModeKinds) {
                step.kind = kind;
                if (!readKind(step, readCode, done, total, fault))
                    return;
            }
            if (globals) {
                for (int kind : kBlockGlobalKinds) {
                    step.kind = kind;
                    m_channel.ModeOverride() = static_cast<std::uint8_t>(step.preset);
                    if (!readKind(step, readCode, done, total, fault))
                        return;
                }
            }
            const int singingPreset = step.preset;
            step.preset = kDanceSetPreset;
            for (int kind : kBlockModeKinds) {
                step.kind = kind;
                if (!readDanceKind(step, done, total, fault))
                    return;
            }
            step.preset = singingPreset;
            m_host.report({.code = LinkCode::MasterMaxima,
                           .values = {m_store.at(0, core::kMaximumLevels).Value, m_store.at(0, core::kMaximumLevels + 1).Value,
                                      m_store.at(0, core::kMaximumLevels + 2).Value}});
            const RequestOutcome readDone = m_channel.Transact(Command::ReadDone, 0, 0);
            fault = fault || readDone.faulted;
            if (!readDone.answered)
                return;
            m_store.at(0, core::kRightsAddress).Value = 1;
            core::MirrorSharedParameters(m_store);
            m_host.report({LinkCode::Progress, ++done, total});
            result = true;
        }();
    } catch (const std::exception&) {
        fault = true;
    }
    finishRead(result, fault, step);
    return result;
}

void BlockTransfer::finishRead(bool complete, bool fault, const Step& step)
{
    if (fault)
        m_host.report({.code = LinkCode::ReadFaultAt, .values = {step.preset, step.kind, step.address & 0xFF}});
    // Whatever the processor holds here, the console only knows two modes.
    m_view.CurrentMode = m_store.at(0, core::kModeAddress).Value != 0 ? 1 : 0;
    m_view.AutoModeControl = m_store.at(0, core::kAutoModeAddress).Value != 0 ? 1 : 0;
    m_host.report({LinkCode::ModeStateLoaded});
    m_host.report({LinkCode::StoreRead, complete ? 1 : 0});
    m_host.report({LinkCode::TransferEnded});
}

bool BlockTransfer::Writable(int preset) const
{
    const auto globalOverride = static_cast<std::uint8_t>(preset);
    for (int kind : kBlockModeKinds)
        if (!m_channel.Buildable(Command::WriteBlock, preset, core::KindFirst(kind)))
            return false;
    for (int kind : kBlockGlobalKinds)
        if (!m_channel.Buildable(Command::WriteBlock, preset, core::KindFirst(kind), globalOverride))
            return false;
    return true;
}

bool BlockTransfer::WriteToDevice(int preset)
{
    bool fault = false;
    m_host.report({LinkCode::TransferStarted});
    const int total = static_cast<int>(kBlockModeKinds.size() + kBlockGlobalKinds.size());
    int done = 0;
    m_host.report({LinkCode::Progress, done, total});
    Step step{preset, 0, 0, true};
    const auto send = [&](int kind, std::uint8_t modeOverride) {
        m_channel.ModeOverride() = modeOverride;
        const RequestOutcome outcome = m_channel.Transact(Command::WriteBlock, preset, core::KindFirst(kind));
        recalled(step);
        fault = outcome.faulted;
        if (outcome.answered)
            m_host.report({LinkCode::Progress, ++done, total});
        return outcome.answered;
    };
    const auto globalOverride = static_cast<std::uint8_t>(preset);
    const bool result = [&] {
        // The whole configuration is checked before its first byte goes out:
        // a refused one leaves the processor as it was.
        fault = !Writable(preset);
        if (fault)
            return false;
        // The processor takes the image, the store does not: until the read-back
        // what it holds of these kinds is unknown.
        for (int kind : kBlockModeKinds)
            m_record.transferCutOff(0, core::KindFirst(kind), core::KindLast(kind));
        for (int kind : kBlockGlobalKinds)
            m_record.transferCutOff(0, core::KindFirst(kind), core::KindLast(kind));
        for (int kind : kBlockModeKinds)
            if (!send(kind, 0))
                return false;
        for (int kind : kBlockGlobalKinds)
            if (!send(kind, globalOverride))
                return false;
        return true;
    }();
    if (fault)
        m_host.report({LinkCode::WriteFailed});
    else if (!result)
        m_host.report({LinkCode::WriteCutOff});
    m_host.report({LinkCode::ProcessorWritten});
    m_host.report({LinkCode::TransferEnded});
    return result;
}

bool BlockTransfer::ReadWorkingSet(int preset, core::ParamStore& target)
{
    bool fault = false;
    m_host.report({LinkCode::TransferStarted});
    const int total = 2 * static_cast<int>(kBlockModeKinds.size()) + static_cast<int>(kBlockGlobalKinds.size()) + 1;
    int done = 0;
    m_host.report({LinkCode::Progress, done, total});
    Step step{preset, 0, 0};
    // The user's rights are the console's own state, not a setting to compare.
    const std::int32_t rights = target.at(0, core::kRightsAddress).Value;
    const bool result = [&] {
        try {
            // Every set in turn, kind by kind: no two blocks read one after the other
            // have the same size, so a repeated or late reply never passes for the next one.
            for (const auto& [mode, setPreset] : {std::pair{0, preset}, std::pair{1, kDanceSetPreset}})
                for (int kind : kBlockModeKinds) {
                    step.kind = kind;
                    step.preset = setPreset;
                    if (!readKindInto(step, Command::ReadBlock, target, mode, done, total, fault))
                        return false;
                }
            step.preset = preset;
            for (int kind : kBlockGlobalKinds) {
                step.kind = kind;
                m_channel.ModeOverride() = static_cast<std::uint8_t>(preset);
                if (!readKindInto(step, Command::ReadBlock, target, 0, done, total, fault))
                    return false;
            }
            const RequestOutcome readDone = m_channel.Transact(Command::ReadDone, 0, 0);
            fault = fault || readDone.faulted;
            m_host.report({LinkCode::Progress, ++done, total});
            return readDone.answered;
        } catch (const std::exception&) {
            fault = true;
            return false;
        }
    }();
    if (fault)
        m_host.report({LinkCode::ReadFault});
    target.at(0, core::kRightsAddress).Value = rights;
    // No mirror here: a shared parameter's dance copy is compared as the processor holds it.
    m_host.report({LinkCode::TransferEnded});
    return result;
}

} // namespace quorix::link
