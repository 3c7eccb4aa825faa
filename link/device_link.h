#pragma once

#include "block_transfer.h"
#include "connection_supervisor.h"
#include "frame_parser.h"
#include "hid_device.h"
#include "hid_port.h"
#include "link_host.h"
#include "link_state.h"
#include "protocol_trace.h"
#include "request_channel.h"

#include "core/digit_buffer.h"
#include "core/param_store.h"
#include "core/param_writer.h"
#include "core/processor_record.h"
#include "core/scheduler.h"
#include "core/store_taker.h"
#include "core/view_state.h"

#include <functional>
#include <memory>
#include <ostream>

namespace quorix::link {

// What the link reads and writes beside its own state.
struct LinkContext {
    const core::ParamStore& store;
    core::ParamStore& image;
    core::ViewState& view;
    core::DigitBuffer& digits;
    // What the processor is known to hold: every write and block read the link makes is entered here.
    core::ProcessorRecord& record;
    // Where what the processor holds comes into the store (a read, the tone it resets).
    core::StoreTaker& taker;
};

// The device link as one object: transport, receive parser, supervisor,
// transactions and block transfers, wired together. It is where the edit path's
// writes go: queued, never waited for.
class DeviceLink final : public core::ParamWriter, private FrameListener {
public:
    // The trace goes to `trace` (a --trace file) and to `ring` (the always-on
    // trace of the console and quorix-cli), each when given.
    DeviceLink(HidBackend& backend, core::Scheduler& scheduler, LinkContext context, LinkHost& host,
               std::ostream* trace = nullptr, TraceRing* ring = nullptr);

    // Starts the 50 ms supervisor tick and the 5 ms transport poll.
    void start();
    void stop();

    const LinkState& state() const { return m_state; }
    const LinkCounters& counters() const { return m_state.counters; }
    bool online() const { return m_state.online; }
    bool replyWaitActive() const { return m_state.replyWaitActive; }
    void setQuietShutdown(bool quiet) { m_state.quietShutdown = quiet; }

    // Sends one request and returns at once; `done` is told its outcome.
    void sendCommand(Command command, int mode, int address, Completion done);
    // Queues the single-parameter write of (mode index, address) while online and
    // returns at once; offline, the record keeps the copy as edited offline.
    void queueWrite(int mode, int address) override;
    // A queued write did not reach the processor (the link reports their count itself).
    void onWriteLost(std::function<void(int mode, int address)> handler) { m_writeLost = std::move(handler); }
    int queuedWrites(int mode, int address) const { return m_channel.queuedWrites(mode, address); }
    // A request is on the wire or waits to go out.
    bool requestsPending() const { return m_channel.busy(); }
    // A single-parameter write of the mode on show that waits for its reply, for
    // callers whose window is disabled meanwhile; false when offline or unanswered.
    // Offline, `done` is told false before this returns.
    void writeParam(int address, TransferDone done);
    void readFromDevice(int preset, bool full, Command readCode, TransferDone done)
    {
        m_blocks.readFromDevice(preset, full, readCode, std::move(done));
    }
    void writeToDevice(int preset, TransferDone done) { m_blocks.writeToDevice(preset, std::move(done)); }
    // Whether writeToDevice(preset) would send the loaded image rather than refuse it.
    bool configurationWritable(int preset) const { return m_blocks.writable(preset); }
    void readWorkingSet(int preset, core::ParamStore& target, TransferDone done)
    {
        m_blocks.readWorkingSet(preset, target, std::move(done));
    }

    bool lastRequestFaulted() const { return m_channel.faulted(); }
    const RefusedReplies& refusedReplies() const { return m_channel.refusedReplies(); }
    const Bytes& lastReply() const { return m_channel.lastReply(); }

    // How the full read after a connection runs; without one it reads the processor into the store.
    void setSynchronisation(std::function<void(TransferDone)> read) { m_synchronisation = std::move(read); }

    // The report that describes the connection as it stands, for a screen that comes to it late.
    LinkCode connection() const { return m_supervisor.connection(); }
    void toggleConnection() { m_supervisor.toggleConnection(); }
    void onlineModeChosen() { m_supervisor.onlineModeChosen(); }
    void offlineModeChosen() { m_supervisor.offlineModeChosen(); }

private:
    void onKeepAliveAnswer() override;
    void onToneReset() override;
    void onFrame(std::span<const std::uint8_t> payload, std::span<const std::uint8_t> frame) override;
    void onBadFrame(std::span<const std::uint8_t> frame) override;
    void traceUnexpected(std::span<const std::uint8_t> payload, std::span<const std::uint8_t> frame);
    void synchronise();
    void writesLost(const std::vector<LostWrite>& writes);

    core::Scheduler& m_scheduler;
    LinkContext m_context;
    LinkHost& m_host;
    std::unique_ptr<ProtocolTrace> m_trace;
    LinkState m_state;
    FrameParser m_parser;
    HidPort m_port;
    RequestChannel m_channel;
    BlockTransfer m_blocks;
    ConnectionSupervisor m_supervisor;
    std::function<void(TransferDone)> m_synchronisation;
    std::function<void(int, int)> m_writeLost;
};

} // namespace quorix::link
