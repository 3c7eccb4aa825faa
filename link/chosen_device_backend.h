#pragma once

#include "hid_device.h"

#include <string>

namespace quorix::link {

// One processor of several on this PC: the inner backend seen through a keyhole
// that shows only the device at `path`, so the link finds that one or none.
// An empty path shows every device, as the inner backend does.
class ChosenDeviceBackend final : public HidBackend {
public:
    ChosenDeviceBackend(HidBackend& inner, std::string path) : m_inner(inner), m_path(std::move(path)) {}

    std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string* error) override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;
    std::string serialNumber(const std::string& path) override { return m_inner.serialNumber(path); }
    int interfaceNumber(const std::string& path) override { return m_inner.interfaceNumber(path); }
    bool lacksPermission(const std::string& path) override { return m_inner.lacksPermission(path); }

private:
    HidBackend& m_inner;
    std::string m_path;
};

} // namespace quorix::link
