#include "link/chosen_device_backend.h"

#include <gtest/gtest.h>

using namespace quorix::link;

namespace {

// Two processors on the bus; opening any present one gives a device.
struct TwoProcessors final : HidBackend {
    std::vector<std::string> enumerate(std::uint16_t, std::uint16_t, std::string*) override
    {
        return {"/dev/hidraw3", "/dev/hidraw7"};
    }
    std::unique_ptr<HidDevice> open(const std::string& path) override
    {
        opened.push_back(path);
        return nullptr;
    }
    std::vector<std::string> opened;
};

} // namespace

TEST(ChosenDeviceBackend, ShowsTheChosenDeviceAloneOrEveryDeviceWithoutAChoice)
{
    TwoProcessors bus;
    ChosenDeviceBackend second(bus, "/dev/hidraw7");
    EXPECT_EQ(second.enumerate(kProcessorVendorId, kProcessorProductId, nullptr),
              std::vector<std::string>{"/dev/hidraw7"});
    second.open("/dev/hidraw3");
    second.open("/dev/hidraw7");
    EXPECT_EQ(bus.opened, std::vector<std::string>{"/dev/hidraw7"});

    ChosenDeviceBackend absent(bus, "/dev/hidraw9");
    EXPECT_TRUE(absent.enumerate(kProcessorVendorId, kProcessorProductId, nullptr).empty());

    ChosenDeviceBackend any(bus, "");
    EXPECT_EQ(any.enumerate(kProcessorVendorId, kProcessorProductId, nullptr).size(), 2u);
}
