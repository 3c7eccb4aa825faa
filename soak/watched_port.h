#pragma once

#include "link/hid_device.h"

#include <cstdint>
#include <functional>
#include <span>

namespace quorix::soak {

// The virtual processor's port seen through a window: every output report the
// console writes is shown to `written` after the device took it, so the soak
// can hold each request against the link's state at that moment.
class WatchedPort final : public link::HidBackend {
public:
    using Written = std::function<void(std::span<const std::uint8_t> report)>;

    WatchedPort(link::HidBackend& inner, Written written) : m_inner(inner), m_written(std::move(written)) {}

    std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string* error) override
    {
        return m_inner.enumerate(vendorId, productId, error);
    }
    std::unique_ptr<link::HidDevice> open(const std::string& path) override;

private:
    class Device;

    link::HidBackend& m_inner;
    Written m_written;
};

} // namespace quorix::soak
