#include "configuration_files.h"

#include "platform/utf8_path.h"

#include "config_file_message.h"
#include "preset_texts.h"

#include "core/config_file.h"

#include <optional>
#include <system_error>
#include <utility>

namespace quorix::presets {

bool ConfigurationFiles::saveConfigurationFile()
{
    const std::optional<std::filesystem::path> asked =
        m_prompter.askFile({kSaveConfigurationCaption, kConfigurationFilter, true, m_modeFolder});
    if (!asked || asked->empty())
        return false;
    const std::filesystem::path& chosen = *asked;
    const std::filesystem::path path = core::WithConfigurationExtension(chosen);
    // The dialog asked about the name it was given, not about the one with the extension added.
    std::error_code ec;
    if (path != chosen && std::filesystem::exists(path, ec) && !m_prompter.askYesNo(kOverwriteQuestion))
        return false;
    const core::ConfigFileResult saved = core::SaveConfigurationFile(path, m_context.store);
    if (!saved.ok)
        tell(ConfigFileMessage(saved));
    return saved.ok;
}

namespace {

void Tell(const ConfigurationFiles::Done& done, bool outcome)
{
    if (done)
        done(outcome);
}

} // namespace

void ConfigurationFiles::openConfigurationFile(Done done)
{
    if (!m_context.link.online()) {
        tell(kOfflineRefusal);
        Tell(done, false);
        return;
    }
    const std::optional<std::filesystem::path> path =
        m_prompter.askFile({kOpenConfigurationCaption, kConfigurationFilter, false, m_modeFolder});
    if (!path || path->empty()) {
        Tell(done, false);
        return;
    }
    openConfigurationFile(*path, std::move(done));
}

void ConfigurationFiles::openConfigurationFile(const std::filesystem::path& path, Done done)
{
    // The link may have gone while the dialog or a question was open.
    if (!m_context.link.online()) {
        tell(kOfflineRefusal);
        Tell(done, false);
        return;
    }
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        Tell(done, false);
        return;
    }
    open(path, std::move(done));
}

void ConfigurationFiles::open(const std::filesystem::path& path, Done done)
{
    core::ParamStore loaded;
    const core::ConfigFileResult read = core::LoadConfigurationFile(path, loaded);
    if (!read.ok) {
        tell(ConfigFileMessage(read));
        Tell(done, false);
        return;
    }
    const int preset = m_context.view.currentPreset;
    std::swap(m_context.image, loaded);
    // A file the link would refuse leaves the console as it was, loaded image included.
    if (!m_context.link.configurationWritable(preset)) {
        std::swap(m_context.image, loaded);
        tell(std::string(kUnsendableFile) + platform::PathToUtf8(path));
        Tell(done, false);
        return;
    }
    // The link outlives the window that opened the file.
    link::DeviceLink& device = m_context.link;
    device.writeToDevice(preset, [&device, preset, done = std::move(done)](bool written) mutable {
        if (!written) {
            Tell(done, false);
            return;
        }
        device.readFromDevice(preset, false, link::Command::ReadBlockBack, std::move(done));
    });
}

void ConfigurationFiles::tell(std::string_view message)
{
    m_prompter.showMessage(message, core::Severity::Warning);
}

} // namespace quorix::presets
