#pragma once

#include "link/hid_device.h"

#include "core/scheduler.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace quorix::agent {

// The agent's way to the processor: the backend its link opens the device
// through, which can hand the open device to a remote console and back. While
// diverted, the link is to be stopped: the input reports go to the console and
// the console's output reports to the device, which stays open throughout.
class HidRelay final : public link::HidBackend {
public:
    // An input report for the console; an empty one says the device is gone.
    using Send = std::function<void(const std::vector<std::uint8_t>& report)>;
    static constexpr int kPollMs = 5;

    HidRelay(link::HidBackend& inner, core::Scheduler& scheduler);
    ~HidRelay() override;

    std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string* error) override;
    std::unique_ptr<link::HidDevice> open(const std::string& path) override;
    std::string serialNumber(const std::string& path) override { return m_inner.serialNumber(path); }
    int interfaceNumber(const std::string& path) override { return m_inner.interfaceNumber(path); }
    bool lacksPermission(const std::string& path) override { return m_inner.lacksPermission(path); }

    bool deviceOpen() const { return m_device != nullptr; }
    // From now on the device's input reports go to `send`; false (nothing
    // changes) when no device is open.
    bool divert(Send send);
    // The input reports go to the link again.
    void restore();
    bool diverted() const { return static_cast<bool>(m_send); }
    // Writes one output report from the console. A report that is not one (its
    // id, a length the device does not take) is dropped, and false.
    bool forward(std::span<const std::uint8_t> report);
    int droppedReports() const { return m_dropped; }

private:
    class Device;
    void drain();

    link::HidBackend& m_inner;
    Device* m_device = nullptr;
    Send m_send;
    std::unique_ptr<core::Timer> m_poll; // while diverted to a device that cannot say when a report is there
    int m_dropped = 0;
};

} // namespace quorix::agent
