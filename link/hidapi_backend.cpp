#include "hidapi_backend.h"

#include "hid_io_thread.h"
#include "report_descriptor.h"

#include <hidapi/hidapi.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace quorix::link {

namespace {

std::string Narrow(const wchar_t* text)
{
    std::string out;
    for (; text && *text; ++text)
        out.push_back(*text < 128 ? static_cast<char>(*text) : '?');
    return out;
}

// The report descriptor; empty where the platform does not tell.
std::vector<std::uint8_t> ReadDescriptor([[maybe_unused]] hid_device* device, [[maybe_unused]] const std::string& path)
{
    std::vector<std::uint8_t> descriptor;
#if HID_API_VERSION >= HID_API_MAKE_VERSION(0, 14, 0)
    descriptor.resize(4096);
    const int size = hid_get_report_descriptor(device, descriptor.data(), descriptor.size());
    descriptor.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
#elif defined(__linux__)
    const std::string node = path.substr(path.find_last_of('/') + 1);
    std::ifstream in("/sys/class/hidraw/" + node + "/device/report_descriptor", std::ios::binary);
    descriptor.assign(std::istreambuf_iterator<char>(in), {});
#endif
    return descriptor;
}

// Report lengths as the device declares them; 65 bytes where the platform does not tell.
ReportLengths DeviceReportLengths(std::span<const std::uint8_t> descriptor)
{
    ReportLengths lengths = ParseReportLengths(descriptor);
    if (lengths.input < 3)
        lengths.input = kDefaultReportLength;
    if (lengths.output < 3)
        lengths.output = kDefaultReportLength;
    return lengths;
}

class HidapiDevice final : public HidDevice {
public:
    HidapiDevice(HidIoThread& io, hid_device* device, std::vector<std::uint8_t> descriptor)
        : m_descriptor(std::move(descriptor)), m_lengths(DeviceReportLengths(m_descriptor)),
          m_io(io.attach({.read =
                              [device](std::span<std::uint8_t> buffer, int timeoutMs) {
                                  return hid_read_timeout(device, buffer.data(), buffer.size(), timeoutMs);
                              },
                          .write =
                              [device](std::span<const std::uint8_t> report) {
                                  return hid_write(device, report.data(), report.size()) ==
                                         static_cast<int>(report.size());
                              },
                          .close = [device] { hid_close(device); },
                          .inputLength = m_lengths.input}))
    {}

    bool writeReport(std::span<const std::uint8_t> report) override { return m_io->write(report); }
    int readReport(std::span<std::uint8_t> buffer, int) override { return m_io->take(buffer); }
    std::int64_t lastReportAgeMs() const override { return m_io->lastTakenAgeMs(); }
    bool notifyReadable(std::function<void()> readable) override { return m_io->notifyReadable(std::move(readable)); }
    std::size_t inputReportLength() const override { return m_lengths.input; }
    std::size_t outputReportLength() const override { return m_lengths.output; }
    std::vector<std::uint8_t> reportDescriptor() const override { return m_descriptor; }

private:
    std::vector<std::uint8_t> m_descriptor;
    ReportLengths m_lengths;
    std::unique_ptr<HidIoThread::Attachment> m_io;
};

} // namespace

std::string HidapiVersion()
{
    return hid_version_str();
}

HidapiBackend::HidapiBackend(WakeUp* wakeUp) : m_io(std::make_unique<HidIoThread>(wakeUp))
{
    m_io->call([] { hid_init(); });
}

HidapiBackend::~HidapiBackend()
{
    m_io->call([] { hid_exit(); });
}

std::vector<std::string> HidapiBackend::enumerate(std::uint16_t vendorId, std::uint16_t productId, std::string* error)
{
    return m_io->call([&] {
        std::vector<std::string> paths;
        hid_device_info* list = hid_enumerate(vendorId, productId);
        if (!list && error)
            *error = Narrow(hid_error(nullptr));
        for (hid_device_info* info = list; info; info = info->next)
            paths.emplace_back(info->path);
        hid_free_enumeration(list);
        return paths;
    });
}

std::string HidapiBackend::serialNumber(const std::string& path)
{
    return m_io->call([&] {
        std::string serial;
        hid_device_info* list = hid_enumerate(kProcessorVendorId, kProcessorProductId);
        for (hid_device_info* info = list; info; info = info->next)
            if (path == info->path)
                serial = Narrow(info->serial_number);
        hid_free_enumeration(list);
        return serial;
    });
}

int HidapiBackend::interfaceNumber(const std::string& path)
{
    return m_io->call([&] {
        int number = -1;
        hid_device_info* list = hid_enumerate(kProcessorVendorId, kProcessorProductId);
        for (hid_device_info* info = list; info; info = info->next)
            if (path == info->path)
                number = info->interface_number;
        hid_free_enumeration(list);
        return number;
    });
}

bool HidapiBackend::lacksPermission(const std::string& path)
{
#ifdef _WIN32
    static_cast<void>(path);
    return false;
#else
    return ::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES;
#endif
}

std::unique_ptr<HidDevice> HidapiBackend::open(const std::string& path)
{
    struct Opened {
        hid_device* device = nullptr;
        std::vector<std::uint8_t> descriptor;
    };
    Opened opened = m_io->call([&path] {
        Opened result{hid_open_path(path.c_str()), {}};
        if (result.device)
            result.descriptor = ReadDescriptor(result.device, path);
        return result;
    });
    if (!opened.device)
        return nullptr;
    return std::make_unique<HidapiDevice>(*m_io, opened.device, std::move(opened.descriptor));
}

} // namespace quorix::link
