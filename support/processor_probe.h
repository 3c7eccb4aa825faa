#pragma once

#include "link/frame.h"
#include "link/hid_device.h"
#include "link/link_state.h"
#include "link/trace_ring.h"

#include "core/param_store.h"
#include "core/scheduler.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace quorix::support {

// One request of the probe and what came back first.
struct Exchange {
    link::Bytes request;
    bool answered = false;
    link::Bytes reply;          // the payload of the first valid frame, or the keep-alive answer byte
    std::int64_t elapsedMs = 0; // from the attempt that was answered
    int attempts = 0;
    int silentAttempts = 0; // attempts that brought nothing back, not even a frame with a bad checksum
};

struct BlockExchange {
    int kind = 0;
    Exchange exchange;
};

// Everything the probe saw of one processor, raw, for the assumption checks and the bundle.
struct ProbeRecord {
    std::string path;
    bool opened = false;
    std::vector<std::uint8_t> descriptor;
    std::size_t inputLength = 0;
    std::size_t outputLength = 0;
    Exchange handshake;
    Exchange status;
    int preset = 0;                    // the preset the status named, or 0 when it named none
    std::vector<BlockExchange> blocks; // the full read, kinds 0, 1, 3, 4, 7, 8, 10
    Exchange readDone;
    BlockExchange danceSet; // kind 0 under the dance-set preset number
    Exchange keepAlive;
    std::vector<link::Bytes> validFrames; // every frame whose checksum held
    std::vector<link::Bytes> badFrames;   // every frame whose checksum did not
    std::vector<link::Bytes> unexpected;  // valid frames that came when no request waited
    link::LinkCounters counters;          // as the console's link counts them
    // What the full read carried, over the console's defaults (blocks of the wrong size left out).
    core::ParamStore read;
};

// Talks to one processor without writing anything to it: the handshake, the
// status, one block read of every transferable kind of the preset in use and
// its end, one block read of the dance set, one keep-alive. Each attempt waits
// up to kWaitMs, far longer than the console does, so a slow answer is
// measured rather than missed; an unanswered request is sent again, up to
// kAttempts in all, so one lost or damaged reply does not hide the rest.
class ProcessorProbe {
public:
    static constexpr int kWaitMs = 2000;
    static constexpr int kAttempts = 3;

    ProcessorProbe(link::HidBackend& backend, core::Scheduler& scheduler, std::ostream* trace);

    ProbeRecord run(const std::string& path);
    // The probe's own trace, as the console's ring keeps it.
    const link::TraceRing& traceRing() const { return m_ring; }

private:
    link::HidBackend& m_backend;
    core::Scheduler& m_scheduler;
    std::ostream* m_trace;
    link::TraceRing m_ring;
};

} // namespace quorix::support
