#pragma once

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

// Packs the files and writes the archive through the safe save; for the user's
// eyes only, as it names their devices. Returns why it failed, or an empty text.
std::string SaveBundle(const std::filesystem::path& path, const std::vector<BundleFile>& files);

} // namespace quorix::support
