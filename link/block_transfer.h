#pragma once

#include "frame.h"
#include "link_host.h"
#include "request_channel.h"
#include "step_runner.h"

#include "core/param_store.h"
#include "core/processor_record.h"
#include "core/store_taker.h"
#include "core/view_state.h"

#include <functional>
#include <memory>

namespace quorix::link {

// Told once how a transfer ended: true when every step was answered.
using TransferDone = std::function<void(bool complete)>;

// Whole-configuration transfers: the block read of every transferable kind of
// a preset (full synchronisation, preset recall, read-back after a file was
// written) and the block write of a loaded configuration. Each sends its
// requests one at a time and returns at once; its outcome comes to `done`.
class BlockTransfer {
public:
    // What a read brings goes into the store through `taker`, never around it.
    BlockTransfer(RequestChannel& channel, LinkHost& host, const core::ParamStore& store, core::StoreTaker& taker,
                  core::ViewState& view, core::ProcessorRecord& record);

    // readCode is ReadBlock or ReadBlockBack. Complete when every step up to
    // ReadDone was answered. The dance set of the preset is read too: its per-mode values
    // come to the screen, and a shared parameter whose dance copy the processor
    // holds apart from its singing one is written for dance again, so the
    // processor holds what the screen shows in both modes.
    void readFromDevice(int preset, bool full, Command readCode, TransferDone done);
    // Writes every transferable kind of the loaded configuration image under `preset`;
    // what it carries stays unconfirmed in the record until a read brings it back.
    // A configuration that cannot travel is refused before anything goes out,
    // and `done` is told so before this returns.
    void writeToDevice(int preset, TransferDone done);
    // Whether every block of the loaded configuration image can travel under `preset`.
    bool writable(int preset) const;
    // Reads what the processor runs under `preset` into `target` alone, the
    // singing set into mode index 0 and the dance set into mode index 1; the
    // store, the view and the undo history stay as they are. `target` should
    // start as a copy of the store, whose record classes the decoding keeps,
    // and outlive the transfer.
    void readWorkingSet(int preset, core::ParamStore& target, TransferDone done);

private:
    // Where a transfer stands, shared by its steps.
    struct Position {
        int preset = 0;
        int onPreset = 0; // the preset the request on the wire names
        int kind = 0;
        int address = 0;
        // The next request names a preset the processor may recall first.
        bool recalls = false;
        int done = 0;
        int total = 0;
    };
    using Shared = std::shared_ptr<Position>;

    // Under `preset`, or the position's preset when it is kOwnPreset; a global
    // kind carries the preset as its mode byte.
    static constexpr int kOwnPreset = -1;
    // `current` holds the records whose classes the decoding keeps; the decoded ones go to `into`.
    TransferStep readKindStep(const Shared& at, int kind, Command readCode, int preset, const core::ParamStore& current,
                              core::StoreTaker& into, int targetMode, std::function<void()> taken);
    bool decodeKind(Position& at, const Bytes& payload, const core::ParamStore& current, core::StoreTaker& into,
                    int targetMode);
    void danceKindRead(int kind);
    void finishRead(bool complete, bool fault, const Position& at);
    void recalled(Position& at);
    void progress(Position& at);

    RequestChannel& m_channel;
    LinkHost& m_host;
    const core::ParamStore& m_store;
    core::StoreTaker& m_taker;
    core::ViewState& m_view;
    core::ProcessorRecord& m_record;
};

} // namespace quorix::link
