#pragma once

#include "param_store.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quorix::core {

// A .quorix configuration file: the 9000 records of a store, 28 bytes each,
// packed little-endian, mode index varying fastest; no header.
inline constexpr std::size_t kConfigRecordSize = 28;
inline constexpr std::size_t kConfigFileSize = kRecordCount * kConfigRecordSize; // 252000

struct ConfigFileResult {
    bool ok = false;
    std::string message; // what went wrong, ready to show the user; empty on success
};

std::vector<std::uint8_t> EncodeConfiguration(const ParamStore& store);
// Decodes into `image` only when the bytes are a whole configuration whose every
// record the console could have written (see RecordFault); otherwise the message
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
