#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <system_error>

namespace quorix::core {

// The few file calls the standard library lacks, behind one portable face.

// Creates `path` (it must not exist yet), writes `bytes`, flushes them to the
// disk and closes it. On failure nothing of it is left behind.
std::error_code WriteNewFileSynced(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);

// Flushes a folder's entries (a rename inside it) to the disk.
std::error_code SyncFolder(const std::filesystem::path& folder);

// Whether this user may write the existing file.
bool MayWrite(const std::filesystem::path& file);

} // namespace quorix::core
