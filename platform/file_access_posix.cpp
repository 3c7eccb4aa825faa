#include "file_access.h"

#include <unistd.h>

namespace quorix::platform {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinkHops = 40;

} // namespace

fs::path FollowLinks(const fs::path& start, std::error_code& error)
{
    fs::path path = start;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        if (!fs::is_symlink(fs::symlink_status(path, error)) || error) {
            if (error == std::errc::no_such_file_or_directory)
                error.clear();
            return path;
        }
        const fs::path next = fs::read_symlink(path, error);
        if (error)
            return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    error = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    return path;
}

bool MayWrite(const fs::path& file)
{
    return ::access(file.c_str(), W_OK) == 0;
}

} // namespace quorix::platform
