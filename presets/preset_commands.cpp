#include "preset_commands.h"

#include "preset_texts.h"

#include "core/checked_index.h"

namespace quorix::presets {

bool PresetCommands::Recall(int preset)
{
    core::CheckIndex("preset", preset, 0, kLastPreset);
    if (!m_context.link.LinkOnline()) {
        m_host.showMessage(kOfflineRefusal);
        return false;
    }
    m_context.view.CurrentPreset = static_cast<std::uint8_t>(preset);
    return m_context.link.ReadFromDevice(preset, false, link::Command::ReadBlock);
}

bool PresetCommands::Store(int userIndex)
{
    const int preset = kFirstUserPreset + userIndex;
    core::CheckIndex("user preset", preset, kFirstUserPreset, kLastPreset);
    if (GuestUser(m_context.store)) {
        m_host.showMessage(kGuestRefusal);
        return false;
    }
    if (!m_context.link.LinkOnline()) {
        m_host.showMessage(kOfflineRefusal);
        return false;
    }
    m_host.setBusy(true);
    const bool stored = m_context.link.SendCommand(link::Command::StoreMode, preset, 0);
    m_host.setBusy(false);
    if (stored) {
        m_context.view.CurrentPreset = static_cast<std::uint8_t>(preset);
        m_context.screen.report({link::LinkCode::Preset, preset});
        m_host.showInformation(kStoreDone);
    }
    return stored;
}

} // namespace quorix::presets
