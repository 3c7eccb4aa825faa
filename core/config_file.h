#pragma once

#include "atomic_save.h"
#include "param_store.h"
#include "record_check.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quorix::core {

// A .quorix configuration file: the 9000 records of a store, 28 bytes each,
// packed little-endian, mode index varying fastest; no header.
inline constexpr std::size_t kConfigRecordSize = 28;
inline constexpr std::size_t kConfigFileSize = kRecordCount * kConfigRecordSize; // 252000

enum class ConfigFileProblem {
    None,
    Unreadable, // missing, not a regular file, or a read failed
    WrongSize,  // `size` bytes instead of kConfigFileSize
    BadRecord,  // record number `record` is not one the console could have written: `fault`
    NotSaved,   // `saveFailure` tells why
};

// What became of a load or a save, as data: the console and quorix-cli each word it.
struct ConfigFileResult {
    bool ok = false;
    ConfigFileProblem problem = ConfigFileProblem::None;
    std::filesystem::path path; // the file, when one was named
    std::uintmax_t size = 0;
    std::size_t record = 0;
    RecordFault fault;
    SaveFailure saveFailure;
};

std::vector<std::uint8_t> EncodeConfiguration(const ParamStore& store);
// Decodes into `image` only when the bytes are a whole configuration whose every
// record the console could have written (see CheckRecord); otherwise the result
// names the first bad record and `image` is left as it was.
ConfigFileResult DecodeConfiguration(const std::vector<std::uint8_t>& bytes, ParamStore& image);

// Saves durably through SaveAtomically: a failed save never destroys the file
// that was there, and a read-only target is refused.
ConfigFileResult SaveConfigurationFile(const std::filesystem::path& path, const ParamStore& store);
// Reads a file into `image`; a missing, unreadable, short or long file is refused
// and leaves `image` exactly as it was.
ConfigFileResult LoadConfigurationFile(const std::filesystem::path& path, ParamStore& image);

// The save dialog's rule: a path not ending in ".quorix" (any case) gets it appended.
std::filesystem::path WithConfigurationExtension(const std::filesystem::path& path);

} // namespace quorix::core
