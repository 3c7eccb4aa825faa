#pragma once

#include "link/hid_device.h"

#include <functional>
#include <memory>
#include <string>

namespace quorix::app {

// Tells "a processor is plugged in but this user may not open it" apart from
// "no processor": a device that enumerates but cannot be opened for lack of
// permission is reported once, until it opens or vanishes.
class PermissionAwareBackend final : public link::HidBackend {
public:
    using PermissionCheck = std::function<bool(const std::string& path)>;

    // Without a check of its own, the inner backend's decides.
    PermissionAwareBackend(std::unique_ptr<link::HidBackend> inner, std::function<void()> noPermission,
                           PermissionCheck lacksPermission = {});

    std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string* error) override;
    std::unique_ptr<link::HidDevice> open(const std::string& path) override;
    std::string serialNumber(const std::string& path) override { return m_inner->serialNumber(path); }
    int interfaceNumber(const std::string& path) override { return m_inner->interfaceNumber(path); }
    bool lacksPermission(const std::string& path) override { return m_lacksPermission(path); }

private:
    std::unique_ptr<link::HidBackend> m_inner;
    std::function<void()> m_noPermission;
    PermissionCheck m_lacksPermission;
    std::string m_reported;
};

} // namespace quorix::app
