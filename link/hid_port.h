#pragma once

#include "hid_device.h"

#include "core/scheduler.h"

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace quorix::link {

// Finds the processor among the HID devices, writes byte arrays to it as output
// reports (id 1, length byte, payload) and raises DataArrival with the payload
// of each input report (id 2, length byte, payload) as soon as the device says
// one is there, with the moment the report reached the computer. A device that cannot say so is polled every 5 ms, and
// so is the search while no device is open.
class HidPort {
public:
    static constexpr int kPollMs = 5;
    static constexpr int kSearchEveryMs = 100; // enumeration, on any path, at most this often

    struct Events {
        std::function<void(std::span<const std::uint8_t>, std::int64_t arrivedAtMs)> dataArrival;
        std::function<void(bool)> plug;
        std::function<void()> failure;                   // a matching device could not be used, once until one is
        std::function<void(const std::string&)> refused; // a matching device was not used, and why
    };

    HidPort(HidBackend& backend, core::Scheduler& scheduler, Events events, std::uint16_t vendorId = kProcessorVendorId,
            std::uint16_t productId = kProcessorProductId);

    // Enumerates and opens the processor, whenever it is called.
    bool connect();
    bool sendData(std::span<const std::uint8_t> data);
    // Reading (by wake-up or poll) and searching run between these.
    void startPolling();
    void stopPolling();
    bool isOpen() const { return m_device != nullptr; }
    std::size_t inputReportLength() const { return m_inputLength; }
    std::size_t outputReportLength() const { return m_outputLength; }

private:
    void pollTick();
    // Raises DataArrival for every report already queued; a read never waits.
    void drain();
    // The poll runs only while it is started and nothing else wakes the link.
    void updatePolling();
    // Connect, unless the last enumeration was less than kSearchEveryMs ago.
    bool search();
    bool writeOneReport(std::span<const std::uint8_t> chunk);
    void close();
    void reportFailure();
    // A device whose report lengths we cannot use is never taken.
    bool refusedForLengths();

    HidBackend& m_backend;
    core::Scheduler& m_scheduler;
    Events m_events;
    std::uint16_t m_vendorId;
    std::uint16_t m_productId;
    std::unique_ptr<HidDevice> m_device;
    std::size_t m_inputLength = 0;
    std::size_t m_outputLength = 0;
    std::unique_ptr<core::Timer> m_poll;
    bool m_polling = false;
    bool m_deviceWakes = false; // the open device says when a report is there
    std::optional<std::int64_t> m_lastSearchMs;
    bool m_failureShown = false;
};

} // namespace quorix::link
