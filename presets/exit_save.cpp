#include "exit_save.h"

#include "config_file_message.h"
#include "preset_texts.h"

#include "core/checked_index.h"
#include "core/config_file.h"

#include <system_error>

namespace quorix::presets {

std::string_view ExitSave::checkName(std::string_view name)
{
    if (name.empty())
        return kNameMissing;
    // Characters no file name may hold on Linux or Windows.
    constexpr std::string_view kForbidden = "\\:/<>\"|?*";
    for (const char c : name)
        if (kForbidden.find(c) != std::string_view::npos || static_cast<unsigned char>(c) < 0x20)
            return kNameIsPath;
    if (name.find('.') != std::string_view::npos)
        return kNameHasExtension;
    return {};
}

std::filesystem::path ExitSave::pathFor(std::string_view name) const
{
    return m_modeFolder / std::filesystem::path(std::u8string(name.begin(), name.end()) + u8".QUORIX");
}

void ExitSave::save(const ExitSaveChoice& choice, std::function<void(bool)> done)
{
    if (choice.saveFile) {
        if (const std::string_view refusal = checkName(choice.name); !refusal.empty()) {
            m_prompter.showMessage(refusal, core::Severity::Warning);
            done(false);
            return;
        }
    }
    if (!choice.storePreset) {
        done(finish(choice, {}));
        return;
    }
    core::CheckIndex("user preset", choice.userIndex, 0, kLastPreset - kFirstUserPreset);
    if (GuestUser(m_context.store)) {
        m_prompter.showMessage(kGuestRefusal, core::Severity::Warning);
        done(false);
        return;
    }
    if (!m_context.link.online()) {
        done(finish(choice, kStoreSkippedOffline));
        return;
    }
    m_busy.setBusy(true);
    m_context.link.sendCommand(
        link::Command::StoreMode, kFirstUserPreset + choice.userIndex, 0,
        [this, alive = std::weak_ptr(m_alive), choice, done = std::move(done)](const link::RequestOutcome& stored) {
            if (alive.expired())
                return;
            m_busy.setBusy(false);
            done(finish(choice, stored.answered ? std::string_view{} : kStoreFailed));
        });
}

// The file part, once the store into the preset has ended; true when the dialog closes.
bool ExitSave::finish(const ExitSaveChoice& choice, std::string_view storeProblem)
{
    if (choice.saveFile) {
        const std::filesystem::path path = pathFor(choice.name);
        std::error_code ec;
        if (std::filesystem::exists(path, ec) && !m_prompter.askYesNo(kOverwriteQuestion))
            return false;
        const core::ConfigFileResult saved = core::SaveConfigurationFile(path, m_context.store);
        if (!saved.ok) {
            m_prompter.showMessage(ConfigFileMessage(saved), core::Severity::Warning);
            return false;
        }
    }
    if (storeProblem.empty())
        m_prompter.showMessage(kAllDone, core::Severity::Warning);
    else
        m_prompter.showMessage(std::string(storeProblem) + (choice.saveFile ? "\n" + std::string(kFileSaved) : ""),
                               core::Severity::Warning);
    return true;
}

} // namespace quorix::presets
