#pragma once

#include "preset_context.h"

#include "core/prompter.h"

#include <filesystem>
#include <functional>

namespace quorix::presets {

// Saving the store to a configuration file, and opening one into the
// processor's current preset.
class ConfigurationFiles {
public:
    // The open and save dialogs start in `modeFolder`.
    ConfigurationFiles(PresetContext context, core::Prompter& prompter, std::filesystem::path modeFolder)
        : m_context(context), m_prompter(prompter), m_modeFolder(std::move(modeFolder))
    {}

    using Done = std::function<void(bool)>;

    // True when a file was written.
    bool saveConfigurationFile();
    // Returns once the file is on its way; `done` is told true when it went to the
    // processor and was read back whole (a refusal is said and told before this returns).
    void openConfigurationFile(Done done = {});
    // The same for a file chosen elsewhere (the command line): no dialog.
    void openConfigurationFile(const std::filesystem::path& path, Done done = {});

private:
    void open(const std::filesystem::path& path, Done done);
    void tell(std::string_view message);

    PresetContext m_context;
    core::Prompter& m_prompter;
    std::filesystem::path m_modeFolder;
};

inline constexpr std::string_view kOpenConfigurationCaption = "浏览配置文件";
inline constexpr std::string_view kSaveConfigurationCaption = "保存配置文件";
inline constexpr std::string_view kConfigurationFilter = "音响配置文件 (*.QUORIX)";
inline constexpr std::string_view kUnsendableFile = "配置文件中有无法发送到设备的数值，未作任何更改：";

} // namespace quorix::presets
