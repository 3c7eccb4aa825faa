#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace quorix::core {

enum class SmallFileProblem { None, Unreadable, NotARegularFile, TooLarge };

struct SmallFile {
    SmallFileProblem problem = SmallFileProblem::None;
    std::string bytes;
};

// The whole of a file that a person or a tool writes for the console (a JSON
// configuration, a filter list). A folder, a device, a pipe or anything larger
// than `limit` bytes is refused before a byte is read, so /dev/zero or a FIFO
// neither fills the memory nor hangs the reader.
SmallFile ReadSmallFile(const std::filesystem::path& path, std::uintmax_t limit);

} // namespace quorix::core
