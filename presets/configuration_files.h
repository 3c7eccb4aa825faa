#pragma once

#include "file_chooser.h"
#include "flow_host.h"
#include "preset_context.h"

#include <filesystem>

namespace quorix::presets {

// Saving the store to a configuration file, and opening one into the
// processor's current preset.
class ConfigurationFiles {
public:
    ConfigurationFiles(PresetContext context, FlowHost& host, FileChooser& chooser)
        : m_context(context), m_host(host), m_chooser(chooser)
    {
    }

    // True when a file was written.
    bool SaveConfigurationFile();
    // True when the file went to the processor and was read back whole.
    bool OpenConfigurationFile();
    // The same for a file chosen elsewhere (the command line): no dialog.
    bool OpenConfigurationFile(const std::filesystem::path& path);

private:
    bool open(const std::filesystem::path& path);

    PresetContext m_context;
    FlowHost& m_host;
    FileChooser& m_chooser;
};

inline constexpr std::string_view kUnsendableFile = "配置文件中有无法发送到设备的数值，未作任何更改：";

} // namespace quorix::presets
