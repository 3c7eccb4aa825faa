#pragma once

#include "hid_device.h"

namespace quorix::link {

// The processor on a real USB port, through hidapi.
class HidapiBackend final : public HidBackend {
public:
    HidapiBackend();
    ~HidapiBackend() override;
    std::vector<std::string> enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string* error) override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;
    std::string serialNumber(const std::string& path) override;
};

} // namespace quorix::link
