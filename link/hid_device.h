#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace quorix::link {

// One open HID device. Results follow hidapi: read gives the byte count, 0 on
// time-out and -1 on error (the device is gone); write gives true on success.
class HidDevice {
public:
    virtual ~HidDevice() = default;
    virtual bool writeReport(std::span<const std::uint8_t> report) = 0;
    virtual int readReport(std::span<std::uint8_t> buffer, int timeoutMs) = 0;
    // Asks to have `readable` called on the interface thread whenever a read may
    // give something (a report or an error). False when the device cannot tell,
    // and has to be polled.
    virtual bool notifyReadable(std::function<void()> readable)
    {
        static_cast<void>(readable);
        return false;
    }
    // How long before the last readReport() the report it gave reached this
    // computer. A report read on a thread of its own may wait in a queue; one
    // read as it comes is 0 old.
    virtual std::int64_t lastReportAgeMs() const { return 0; }
    // Lengths include the report-id byte.
    virtual std::size_t inputReportLength() const = 0;
    virtual std::size_t outputReportLength() const = 0;
    // The report descriptor as the device gave it; empty where the platform does not tell.
    virtual std::vector<std::uint8_t> reportDescriptor() const { return {}; }
};

// Finds and opens devices; closing is destroying the HidDevice.
class HidBackend {
public:
    virtual ~HidBackend() = default;
    // Paths of the present devices with these identifiers. An empty list is
    // "none"; `error` tells a failed enumeration apart.
    virtual std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string* error) = 0;
    virtual std::unique_ptr<HidDevice> open(const std::string& path) = 0;
    // The serial number the device at `path` reports; empty when it has none.
    virtual std::string serialNumber(const std::string& path)
    {
        static_cast<void>(path);
        return {};
    }
    // The USB interface the device at `path` is on; -1 when the platform does not tell.
    virtual int interfaceNumber(const std::string& path)
    {
        static_cast<void>(path);
        return -1;
    }
    // Whether the device node at `path` exists but this user may not read and write it.
    virtual bool lacksPermission(const std::string& path)
    {
        static_cast<void>(path);
        return false;
    }
};

inline constexpr std::uint16_t kProcessorVendorId = 0x7A3C;
inline constexpr std::uint16_t kProcessorProductId = 0x0101;
inline constexpr std::size_t kDefaultReportLength = 65;
inline constexpr std::uint8_t kOutputReportId = 1;
inline constexpr std::uint8_t kInputReportId = 2;

} // namespace quorix::link
