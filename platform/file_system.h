#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <system_error>

namespace quorix::platform {

// Who may read a file that a save creates. On Windows a new file takes its
// folder's access list either way: the user's own folders are private to them.
enum class NewFileAccess { Everyone, OwnerOnly };

// The four calls that make a save durable, one face for the system and for tests
// that watch the order of a save's steps or make one of them fail.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Creates `path`, which must not exist yet (file_exists otherwise), and writes
    // `bytes` into it without flushing them. On failure nothing of it is left.
    virtual std::error_code writeNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                                         NewFileAccess access) = 0;
    // Flushes a file's content to the disk.
    virtual std::error_code syncFile(const std::filesystem::path& path) = 0;
    // Renames `from` over `to` in one step: `to` names the old or the new file, never neither.
    virtual std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    // Flushes a folder's entries (a rename inside it) to the disk.
    virtual std::error_code syncFolder(const std::filesystem::path& folder) = 0;
};

} // namespace quorix::platform
