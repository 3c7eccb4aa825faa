#pragma once

#include "link/hid_device.h"

#include <string>
#include <vector>

namespace quorix::support {

// Whether this user may open a device, and if not, why.
enum class DeviceAccess { Opens, NoPermission, Busy, Gone };

struct SurveyedDevice {
    std::string path;
    std::string serial;       // empty when it reports none
    int interfaceNumber = -1; // -1 when the platform does not tell
    DeviceAccess access = DeviceAccess::Opens;
    std::vector<std::uint8_t> descriptor; // its report descriptor, when it opened and the platform tells
};

// Every HID device with the processor's identifiers, each tried once. `error`
// gets why the enumeration failed, when it did.
std::vector<SurveyedDevice> SurveyDevices(link::HidBackend& backend, std::string* error);

// "path=/dev/hidraw3 serial=- interface=0 access=yes", and for a device that
// does not open the reason, with the fix where there is one.
std::string SurveyLine(const SurveyedDevice& device);

} // namespace quorix::support
