#pragma once

#include "hid_device.h"
#include "hid_io_thread.h"
#include "wake_up.h"

namespace quorix::link {

// The processor on a real USB port, through hidapi. Every call into hidapi runs
// on the backend's I/O thread: the open devices' reads and writes, and the quick
// calls (enumerate, open, close) the interface thread waits for. Given a way to
// wake the interface thread, an open device says when a report is there;
// without, it is polled.
class HidapiBackend final : public HidBackend {
public:
    explicit HidapiBackend(WakeUp* wakeUp = nullptr);
    ~HidapiBackend() override;
    std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string* error) override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;
    std::string serialNumber(const std::string& path) override;
    int interfaceNumber(const std::string& path) override;
    bool lacksPermission(const std::string& path) override;

private:
    std::unique_ptr<HidIoThread> m_io;
};

// The hidapi library's version, "0.13.1".
std::string HidapiVersion();

} // namespace quorix::link
