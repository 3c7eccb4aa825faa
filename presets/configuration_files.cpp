#include "configuration_files.h"

#include "platform/utf8_path.h"

#include "config_file_message.h"
#include "preset_texts.h"

#include "core/config_file.h"

#include <system_error>
#include <utility>

namespace quorix::presets {

bool ConfigurationFiles::SaveConfigurationFile()
{
    const std::filesystem::path chosen = m_chooser.ChooseConfigurationFileToSave();
    if (chosen.empty())
        return false;
    const std::filesystem::path path = core::WithConfigurationExtension(chosen);
    // The dialog asked about the name it was given, not about the one with the extension added.
    std::error_code ec;
    if (path != chosen && std::filesystem::exists(path, ec) && !m_host.askYesNo(kOverwriteQuestion))
        return false;
    const core::ConfigFileResult saved = core::SaveConfigurationFile(path, m_context.store);
    if (!saved.ok)
        m_host.showMessage(ConfigFileMessage(saved));
    return saved.ok;
}

bool ConfigurationFiles::OpenConfigurationFile()
{
    if (!m_context.link.LinkOnline()) {
        m_host.showMessage(kOfflineRefusal);
        return false;
    }
    const std::filesystem::path path = m_chooser.ChooseConfigurationFileToOpen();
    return !path.empty() && OpenConfigurationFile(path);
}

bool ConfigurationFiles::OpenConfigurationFile(const std::filesystem::path& path)
{
    // The link may have gone while the dialog or a question was open.
    if (!m_context.link.LinkOnline()) {
        m_host.showMessage(kOfflineRefusal);
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return false;
    return open(path);
}

bool ConfigurationFiles::open(const std::filesystem::path& path)
{
    core::ParamStore loaded;
    const core::ConfigFileResult read = core::LoadConfigurationFile(path, loaded);
    if (!read.ok) {
        m_host.showMessage(ConfigFileMessage(read));
        return false;
    }
    const int preset = m_context.view.CurrentPreset;
    std::swap(m_context.image, loaded);
    // A file the link would refuse leaves the console as it was, loaded image included.
    if (!m_context.link.ConfigurationWritable(preset)) {
        std::swap(m_context.image, loaded);
        m_host.showMessage(std::string(kUnsendableFile) + platform::PathToUtf8(path));
        return false;
    }
    return m_context.link.WriteToDevice(preset) &&
           m_context.link.ReadFromDevice(preset, false, link::Command::ReadBlockBack);
}

} // namespace quorix::presets
