#include "permission_aware_backend.h"

namespace quorix::app {

PermissionAwareBackend::PermissionAwareBackend(std::unique_ptr<link::HidBackend> inner,
                                               std::function<void()> noPermission, PermissionCheck lacksPermission)
    : m_inner(std::move(inner)), m_noPermission(std::move(noPermission)), m_lacksPermission(std::move(lacksPermission))
{
    if (!m_lacksPermission)
        m_lacksPermission = [backend = m_inner.get()](const std::string& path) {
            return backend->lacksPermission(path);
        };
}

std::vector<std::string> PermissionAwareBackend::enumerate(std::uint16_t vendorId, std::uint16_t productId,
                                                           std::string* error)
{
    auto paths = m_inner->enumerate(vendorId, productId, error);
    if (paths.empty())
        m_reported.clear(); // unplugged: a later refusal is news again
    return paths;
}

std::unique_ptr<link::HidDevice> PermissionAwareBackend::open(const std::string& path)
{
    auto device = m_inner->open(path);
    if (device) {
        m_reported.clear();
    } else if (path != m_reported && m_lacksPermission(path)) {
        m_reported = path;
        m_noPermission();
    }
    return device;
}

} // namespace quorix::app
