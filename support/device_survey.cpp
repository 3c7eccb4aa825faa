#include "device_survey.h"

#include <algorithm>

namespace quorix::support {

namespace {

bool Present(link::HidBackend& backend, const std::string& path)
{
    const auto paths = backend.enumerate(link::kProcessorVendorId, link::kProcessorProductId, nullptr);
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}

SurveyedDevice Survey(link::HidBackend& backend, const std::string& path)
{
    SurveyedDevice device{path, backend.serialNumber(path), backend.interfaceNumber(path), DeviceAccess::Opens, {}};
    if (const auto opened = backend.open(path))
        device.descriptor = opened->reportDescriptor();
    else if (!Present(backend, path))
        device.access = DeviceAccess::Gone;
    else
        device.access = backend.lacksPermission(path) ? DeviceAccess::NoPermission : DeviceAccess::Busy;
    return device;
}

const char* AccessText(DeviceAccess access)
{
    switch (access) {
    case DeviceAccess::Opens:
        return "yes";
    case DeviceAccess::NoPermission:
        return "no: no permission (the udev rule 70-quorix.rules gives it: install the package, or sudo cp "
               "packaging/70-quorix.rules /etc/udev/rules.d/ && sudo udevadm control --reload; then plug the "
               "processor in again)";
    case DeviceAccess::Busy:
        return "no: busy (another program holds it; close the console or the other tool)";
    case DeviceAccess::Gone:
        return "no: gone (unplugged while it was tried)";
    }
    return "?";
}

} // namespace

std::vector<SurveyedDevice> SurveyDevices(link::HidBackend& backend, std::string* error)
{
    std::vector<SurveyedDevice> devices;
    for (const std::string& path : backend.enumerate(link::kProcessorVendorId, link::kProcessorProductId, error))
        devices.push_back(Survey(backend, path));
    return devices;
}

std::string SurveyLine(const SurveyedDevice& device)
{
    return "path=" + device.path + " serial=" + (device.serial.empty() ? "-" : device.serial) +
           " interface=" + (device.interfaceNumber < 0 ? "-" : std::to_string(device.interfaceNumber)) +
           " open=" + AccessText(device.access);
}

} // namespace quorix::support
