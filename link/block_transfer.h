#pragma once

#include "frame.h"
#include "link_host.h"
#include "request_channel.h"

#include "core/param_store.h"
#include "core/processor_record.h"
#include "core/view_state.h"

namespace quorix::link {

// Whole-configuration transfers: the block read of every transferable kind of
// a preset (full synchronisation, preset recall, read-back after a file was
// written) and the block write of a loaded configuration.
class BlockTransfer {
public:
    BlockTransfer(RequestChannel& channel, LinkHost& host, core::ParamStore& store, core::ViewState& view,
                  core::ProcessorRecord& record);

    // readCode is ReadBlock or ReadBlockBack. True when every step up to ReadDone
    // was answered. The dance set of the preset is read too: its per-mode values
    // come to the screen, and a shared parameter whose dance copy the processor
    // holds apart from its singing one is written for dance again, so the
    // processor holds what the screen shows in both modes.
    bool ReadFromDevice(int preset, bool full, Command readCode);
    // Writes every transferable kind of the loaded configuration image under `preset`;
    // what it carries stays unconfirmed in the record until a read brings it back.
    bool WriteToDevice(int preset);
    // Whether every block of the loaded configuration image can travel under `preset`.
    bool Writable(int preset) const;
    // Reads what the processor runs under `preset` into `target` alone, the
    // singing set into mode index 0 and the dance set into mode index 1; the
    // store, the view and the undo history stay as they are. `target` should
    // start as a copy of the store, whose record classes the decoding keeps.
    bool ReadWorkingSet(int preset, core::ParamStore& target);

private:
    struct Step {
        int preset = 0;
        int kind = 0;
        int address = 0;
        // The next request names a preset the processor may recall first.
        bool recalls = false;
    };

    bool readKind(Step& step, Command readCode, int& done, int total, bool& fault);
    bool readKindInto(Step& step, Command readCode, core::ParamStore& target, int targetMode, int& done, int total,
                      bool& fault);
    void finishRead(bool complete, bool fault, const Step& step);
    bool readDanceKind(Step& step, int& done, int total, bool& fault);
    void recalled(Step& step);

    RequestChannel& m_channel;
    LinkHost& m_host;
    core::ParamStore& m_store;
    core::ViewState& m_view;
    core::ProcessorRecord& m_record;
};

} // namespace quorix::link
