#pragma once

#include "file_system.h"

namespace quorix::platform {

// The operating system's own calls: open/write/fsync/rename on POSIX;
// CreateFileW/WriteFile/FlushFileBuffers/MoveFileExW on Windows.
class NativeFileSystem final : public FileSystem {
public:
    std::error_code writeNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                                 NewFileAccess access) override;
    std::error_code syncFile(const std::filesystem::path& path) override;
    std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) override;
    std::error_code syncFolder(const std::filesystem::path& folder) override;
};

} // namespace quorix::platform
