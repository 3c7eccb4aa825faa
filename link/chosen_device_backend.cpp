#include "chosen_device_backend.h"

#include <algorithm>

namespace quorix::link {

std::vector<std::string> ChosenDeviceBackend::enumerate(std::uint16_t vendorId, std::uint16_t productId,
                                                        std::string* error)
{
    auto paths = m_inner.enumerate(vendorId, productId, error);
    if (m_path.empty())
        return paths;
    if (std::find(paths.begin(), paths.end(), m_path) == paths.end())
        return {};
    return {m_path};
}

std::unique_ptr<HidDevice> ChosenDeviceBackend::open(const std::string& path)
{
    return m_path.empty() || path == m_path ? m_inner.open(path) : nullptr;
}

} // namespace quorix::link
