#include "permission_aware_backend.h"

#include <cerrno>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quorix::app {

PermissionAwareBackend::PermissionAwareBackend(std::unique_ptr<link::HidBackend> inner,
                                               std::function<void()> noPermission, PermissionCheck lacksPermission)
    : m_inner(std::move(inner)), m_noPermission(std::move(noPermission)), m_lacksPermission(std::move(lacksPermission))
{
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

bool LacksPermission(const std::string& path)
{
#ifdef _WIN32
    (void)path;
    return false;
#else
    return ::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), R_OK | W_OK) != 0 && errno == EACCES;
#endif
}

} // namespace quorix::app
