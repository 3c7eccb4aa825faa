#include "support/device_survey.h"

#include "sim/sim_usb_port.h"
#include "sim/virtual_processor.h"

#include "core/manual_scheduler.h"

#include <gtest/gtest.h>

using namespace quorix;

namespace {

// A device that enumerates and never opens; the test says whether it stays,
// and whether its node refuses this user.
class RefusingBackend final : public link::HidBackend {
public:
    RefusingBackend(bool staysPresent, bool noPermission) : m_staysPresent(staysPresent), m_noPermission(noPermission)
    {}
    std::vector<std::string> enumerate(std::uint16_t, std::uint16_t, std::string*) override
    {
        return m_listed++ == 0 || m_staysPresent ? std::vector<std::string>{"/dev/hidraw7"}
                                                 : std::vector<std::string>{};
    }
    std::unique_ptr<link::HidDevice> open(const std::string&) override { return nullptr; }
    std::string serialNumber(const std::string&) override { return "QX-0042"; }
    int interfaceNumber(const std::string&) override { return 1; }
    bool lacksPermission(const std::string&) override { return m_noPermission; }

private:
    bool m_staysPresent;
    bool m_noPermission;
    int m_listed = 0;
};

} // namespace

TEST(DeviceSurvey, GivesTheExactReasonADeviceDoesNotOpen)
{
    struct Case {
        bool staysPresent;
        bool noPermission;
        const char* reason;
    };
    for (const Case& c : {Case{true, true, "open=no: no permission (the udev rule"}, Case{true, false, "open=no: busy"},
                          Case{false, false, "open=no: gone"}}) {
        RefusingBackend backend(c.staysPresent, c.noPermission);
        const auto devices = support::SurveyDevices(backend, nullptr);
        ASSERT_EQ(devices.size(), 1u);
        const std::string line = support::SurveyLine(devices[0]);
        EXPECT_EQ(line.rfind("path=/dev/hidraw7 serial=QX-0042 interface=1 ", 0), 0u) << line;
        EXPECT_NE(line.find(c.reason), std::string::npos) << line;
    }
}

TEST(DeviceSurvey, TheVirtualProcessorOpensUnlessAnotherProgramHoldsIt)
{
    core::ManualScheduler clock;
    sim::VirtualProcessor processor;
    sim::SimUsbPort port(processor, clock);
    EXPECT_EQ(support::SurveyLine(support::SurveyDevices(port, nullptr).at(0)),
              "path=sim:quorix-processor serial=- interface=0 open=yes");
    port.setBusy(true);
    EXPECT_EQ(support::SurveyDevices(port, nullptr).at(0).access, support::DeviceAccess::Busy);
}
