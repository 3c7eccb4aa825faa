#pragma once

#include "presets/file_chooser.h"

#include <functional>

class QWidget;

namespace quorix::ui {

// The toolkit's open and save dialogs for configuration files, starting in the mode folder.
class QtFileChooser final : public presets::FileChooser {
public:
    // `owner` gives the window the dialogs belong to when they open.
    QtFileChooser(std::filesystem::path modeFolder, std::function<QWidget*()> owner)
        : m_modeFolder(std::move(modeFolder)), m_owner(std::move(owner))
    {}

    std::filesystem::path chooseConfigurationFileToOpen() override;
    std::filesystem::path chooseConfigurationFileToSave() override;

private:
    std::filesystem::path choose(bool save);

    std::filesystem::path m_modeFolder;
    std::function<QWidget*()> m_owner;
};

} // namespace quorix::ui
