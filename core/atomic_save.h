#pragma once

#include "platform/file_system.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <system_error>

namespace quorix::core {

// Why a save failed, as data: the console words it in Chinese, quorix-cli in English.
enum class SaveProblem {
    None,
    NotARegularFile,
    ReadOnly, // no write permission at all, or none for this user
    System,   // `error` tells what the system refused
};

struct SaveFailure {
    SaveProblem problem = SaveProblem::None;
    std::error_code error;
    bool failed() const { return problem != SaveProblem::None; }
};

// Replaces the file at `target` with `bytes` so that a crash or a power cut at
// any moment leaves either the old or the new content on the disk: a
// temporary file beside it is written and flushed, renamed over the target,
// and the folder is flushed. A symbolic link is written through to its
// target; an existing target keeps its permissions (a new one gets `access`),
// and one this user may not write is refused. Temporaries left by an
// interrupted save of the same target are removed. Returns why the save
// failed, if it did.
SaveFailure SaveAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                           platform::NewFileAccess access = platform::NewFileAccess::Everyone);
// The same through `files`, which tests watch or make fail.
SaveFailure SaveAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                           platform::NewFileAccess access, platform::FileSystem& files);

// The name pattern of a save's temporary file, in UTF-8: ".NAME.quorix-save-" and six letters.
std::string TemporaryPrefix(const std::filesystem::path& target);

} // namespace quorix::core
