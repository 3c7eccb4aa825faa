#pragma once

#include <filesystem>

namespace quorix::presets {

// The open and save dialogs of configuration files; an empty path means cancelled.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    virtual std::filesystem::path chooseConfigurationFileToOpen() = 0;
    // The dialog itself asks before a chosen existing file is replaced.
    virtual std::filesystem::path chooseConfigurationFileToSave() = 0;
};

} // namespace quorix::presets
