#pragma once

#include "virtual_processor.h"

#include "link/hid_device.h"

#include "core/scheduler.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

namespace quorix::sim {

// A USB port with the virtual processor plugged in, behind the same device
// interface as the hidapi backend: 65-byte reports, id 1 out, id 2 in, as its
// report descriptor declares. A report that does not fit the endpoint fails and
// is logged in the processor's refusals.
// The open device says when a report becomes readable, and when it is gone.
class SimUsbPort final : public link::HidBackend {
public:
    using Bytes = VirtualProcessor::Bytes;
    static constexpr std::size_t kReportLength = link::kDefaultReportLength;

    SimUsbPort(VirtualProcessor& processor, core::Scheduler& clock);
    ~SimUsbPort() override;

    std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string* error) override;
    std::unique_ptr<link::HidDevice> open(const std::string& path) override;
    int interfaceNumber(const std::string& path) override;

    // The device vanishes: enumeration finds nothing and open handles fail.
    void unplug();
    void replug();
    bool plugged() const { return m_plugged; }

    // Another processor's endpoint: reports of this many bytes, report id included, both ways.
    void setReportLength(std::size_t length) { m_reportLength = length; }
    std::size_t reportLength() const { return m_reportLength; }
    // Another program holds the device: it enumerates but does not open.
    void setBusy(bool busy) { m_busy = busy; }
    // The descriptor the device gives for the current report length.
    Bytes reportDescriptor() const;

    // Replies go out one payload byte per input report.
    void setSplitReplies(bool split) { m_split = split; }
    // Replies become readable this much later.
    void setReplyDelay(int milliseconds) { m_delayMs = milliseconds; }
    // A full-speed interrupt endpoint: at most one report per millisecond each way.
    void setFullSpeedPacing(bool paced) { m_paced = paced; }
    // The next reply frame becomes readable this much later than the others (a
    // stale reply, when that is past the console's time-out).
    void delayNextReply(int milliseconds) { m_nextReplyDelayMs = milliseconds; }
    // The console comes to a readable report this much late, as when its
    // interface thread is busy while hidapi's reader thread queues the report.
    void setWakeLag(int milliseconds) { m_wakeLagMs = milliseconds; }
    // The next block write loses the device after its first report got through.
    void unplugDuringNextBlockWrite() { m_unplugInBlockWrite = true; }

    // A reply is still to be held back by delayNextReply.
    bool delayPending() const { return m_nextReplyDelayMs > 0; }

    // Puts raw bytes on the wire toward the console, as if the processor had sent them.
    void injectInput(const Bytes& bytes) { queueReply(bytes); }

    int reportsWritten() const { return m_reportsWritten; }
    int reportsRead() const { return m_reportsRead; }

    struct InputReport {
        std::int64_t readyAt;
        Bytes bytes;
    };
    // Takes the oldest report off the wire before it is readable, with the
    // moment it becomes so: for a reader on a thread of its own that keeps the
    // endpoint's time itself. Counts as read.
    std::optional<InputReport> takeAhead();

private:
    class Device;

    bool write(std::uint64_t generation, std::span<const std::uint8_t> report);
    int read(std::uint64_t generation, std::span<std::uint8_t> buffer);
    void queueReply(const Bytes& bytes);
    // Sets the wake-up for the moment the oldest queued report becomes readable.
    void armWake(std::int64_t at);
    void wake();
    bool refuse(std::string reason, std::span<const std::uint8_t> report);

    VirtualProcessor& m_processor;
    core::Scheduler& m_clock;
    Device* m_listener = nullptr; // the open device that asked to be told
    std::unique_ptr<core::Timer> m_wake;
    std::deque<InputReport> m_input;
    std::uint64_t m_generation = 1;
    bool m_plugged = true;
    bool m_busy = false;
    std::size_t m_reportLength = kReportLength;
    bool m_split = false;
    bool m_paced = false;
    int m_delayMs = 0;
    int m_nextReplyDelayMs = 0;
    int m_wakeLagMs = 0;
    bool m_unplugInBlockWrite = false;
    std::int64_t m_lastOut = -1;
    std::int64_t m_lastIn = -1;
    std::int64_t m_requestArrival = 0;
    std::int64_t m_lastReadyAt = 0; // of the report read last
    int m_reportsWritten = 0;
    int m_reportsRead = 0;
};

} // namespace quorix::sim
