#pragma once

#include "core/atomic_save.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quorix::support {

// One file of the bundle: its name inside the archive and its bytes.
struct BundleFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

BundleFile TextFile(std::string name, const std::string& text);

// The files as one zip archive (deflated), made with libarchive: zip opens with
// the tools of every system an installer may use, Windows' own included. Returns
// why it could not be made, or an empty text.
std::string PackBundle(const std::vector<BundleFile>& files, std::vector<std::uint8_t>& archive);

// What became of a bundle: libarchive's reason when it could not be made, or
// the safe save's failure as data, for each program to word in its language.
struct BundleSaved {
    std::string packing;
    core::SaveFailure save;
    bool ok() const { return packing.empty() && !save.failed(); }
};

// Packs the files and writes the archive through the safe save; for the user's
// eyes only, as it names their devices.
BundleSaved SaveBundle(const std::filesystem::path& path, const std::vector<BundleFile>& files);

} // namespace quorix::support
