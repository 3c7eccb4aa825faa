#include "preset_commands.h"

#include "preset_texts.h"

#include "core/checked_index.h"

namespace quorix::presets {

namespace {

void Tell(const std::function<void(bool)>& done, bool outcome)
{
    if (done)
        done(outcome);
}

} // namespace

void PresetCommands::recall(int preset, std::function<void(bool)> done)
{
    core::CheckIndex("preset", preset, 0, kLastPreset);
    if (!m_context.link.online()) {
        m_prompter.showMessage(kOfflineRefusal, core::Severity::Warning);
        Tell(done, false);
        return;
    }
    m_context.view.currentPreset = static_cast<std::uint8_t>(preset);
    m_context.link.readFromDevice(preset, false, link::Command::ReadBlock,
                                  [done = std::move(done)](bool read) { Tell(done, read); });
}

void PresetCommands::store(int userIndex, std::function<void(bool)> done)
{
    const int preset = kFirstUserPreset + userIndex;
    core::CheckIndex("user preset", preset, kFirstUserPreset, kLastPreset);
    if (GuestUser(m_context.store)) {
        m_prompter.showMessage(kGuestRefusal, core::Severity::Warning);
        Tell(done, false);
        return;
    }
    if (!m_context.link.online()) {
        m_prompter.showMessage(kOfflineRefusal, core::Severity::Warning);
        Tell(done, false);
        return;
    }
    m_busy.setBusy(true);
    m_context.link.sendCommand(link::Command::StoreMode, preset, 0,
                               [this, preset, done = std::move(done)](const link::RequestOutcome& outcome) {
                                   m_busy.setBusy(false);
                                   if (outcome.answered) {
                                       m_context.view.currentPreset = static_cast<std::uint8_t>(preset);
                                       m_context.screen.report({link::LinkCode::Preset, preset});
                                       m_prompter.showMessage(kStoreDone, core::Severity::Information);
                                   }
                                   Tell(done, outcome.answered);
                               });
}

} // namespace quorix::presets
