#pragma once

#include <filesystem>
#include <system_error>

namespace quorix::platform {

// Follows symbolic links the way an editor does, so a save through a link
// writes the file it points to and the link stays a link. A path that does not
// exist (yet) is returned as it is.
std::filesystem::path FollowLinks(const std::filesystem::path& path, std::error_code& error);

// Whether this user may write the existing file.
bool MayWrite(const std::filesystem::path& file);

} // namespace quorix::platform
