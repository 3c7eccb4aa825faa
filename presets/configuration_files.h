#pragma once

#include "file_chooser.h"
#include "flow_host.h"
#include "preset_context.h"

#include <filesystem>
#include <functional>

namespace quorix::presets {

// Saving the store to a configuration file, and opening one into the
// processor's current preset.
class ConfigurationFiles {
public:
    ConfigurationFiles(PresetContext context, FlowHost& host, FileChooser& chooser)
        : m_context(context), m_host(host), m_chooser(chooser)
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

    PresetContext m_context;
    FlowHost& m_host;
    FileChooser& m_chooser;
};

inline constexpr std::string_view kUnsendableFile = "配置文件中有无法发送到设备的数值，未作任何更改：";

} // namespace quorix::presets
