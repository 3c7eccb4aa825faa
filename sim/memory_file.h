#pragma once

#include "processor_contents.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace quorix::sim {

// The processor's whole memory as a file, all numbers single bytes:
//   0..7    signature "QXVPROC1" (the last character is the format version)
//   8       model variant, ASCII '1' or '3'
//   9       preset in use, 0..7
//   10..13  keyboard-lock password, 4 ASCII digits
//   14..19  rights password, 6 ASCII digits
//   20..    nine memories: the working settings, then presets 0..7; each is the
//           singing set's blocks of kinds 0..10 followed by the dance set's
//           blocks of kinds 0..7, every block exactly as it travels on the wire.
// Every memory byte is a base-250 digit (below 250).
inline constexpr std::size_t kMemoryFileHeader = 20;
std::size_t MemoryFileSize();

struct MemoryFileResult {
    bool ok = false;
    std::string message; // what is wrong with the file; empty on success
    // Loading: the file does not exist, but its folder does, so a fresh memory
    // can start there. Anything else that keeps the file from being read (a
    // folder this user may not search, a pipe) is a refusal.
    bool absent = false;
};

std::vector<std::uint8_t> EncodeProcessorContents(const ProcessorContents& contents);
// Fills `contents` only when the bytes are a whole, valid memory file.
MemoryFileResult DecodeProcessorContents(std::span<const std::uint8_t> bytes, ProcessorContents& contents);

// Saved through core's safe save, so a failed save keeps the old file; a new
// file may be read by its owner alone.
MemoryFileResult SaveProcessorFile(const std::filesystem::path& path, const ProcessorContents& contents);
MemoryFileResult LoadProcessorFile(const std::filesystem::path& path, ProcessorContents& contents);

} // namespace quorix::sim
