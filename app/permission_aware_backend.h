#pragma once

#include "link/hid_device.h"

#include <functional>
#include <memory>
#include <string>

namespace quorix::app {

// Whether the device node at `path` exists but this user may not read and write it.
bool LacksPermission(const std::string& path);

// Tells "a processor is plugged in but this user may not open it" apart from
// "no processor": a device that enumerates but cannot be opened for lack of
// permission is reported once, until it opens or vanishes.
class PermissionAwareBackend final : public link::HidBackend {
public:
    using PermissionCheck = std::function<bool(const std::string& path)>;

    PermissionAwareBackend(std::unique_ptr<link::HidBackend> inner, std::function<void()> noPermission,
                           PermissionCheck lacksPermission = LacksPermission);

    std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string* error) override;
    std::unique_ptr<link::HidDevice> open(const std::string& path) override;

private:
    std::unique_ptr<link::HidBackend> m_inner;
    std::function<void()> m_noPermission;
    PermissionCheck m_lacksPermission;
    std::string m_reported;
};

} // namespace quorix::app
