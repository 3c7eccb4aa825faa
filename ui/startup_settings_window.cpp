#include "startup_settings_window.h"

#include "console_services.h"

#include "link/device_link.h"
#include "link_screen.h"
#include "tuning_window.h"

#include "tables/startup_settings_table.h"

#include "controls/skinned_drop_down.h"
#include "controls/skinned_fader.h"

namespace quorix::ui {

StartupSettingsWindow::StartupSettingsWindow(ConsoleServices& session, TuningWindow& mainWindow, QWidget* parent)
    : TableWindow(session, tables::StartupSettingsTable(), parent), m_main(mainWindow), m_settings(edits(), *this)
{
    placeLoudspeakerLists(session.link().state().deviceVariantFlag);
}

void StartupSettingsWindow::placeLoudspeakerLists(bool variantFlag)
{
    controls::SkinnedDropDown* shown =
        combo(variantFlag ? tables::kVariantLoudspeakerCombo : tables::kLoudspeakerCombo);
    controls::SkinnedDropDown* moved =
        combo(variantFlag ? tables::kLoudspeakerCombo : tables::kVariantLoudspeakerCombo);
    shown->move(shown->x(), tables::StartupSettingsGeometry::kLoudspeakerRow);
    moved->move(moved->x(), tables::StartupSettingsGeometry::kOutOfView);
}

void StartupSettingsWindow::sliderScrolled(int index, int value)
{
    m_settings.levelScrolled(index, value);
}

void StartupSettingsWindow::comboClicked(int index, int value)
{
    if (comboAddress(index) >= 0)
        m_settings.comboClicked(comboAddress(index), value);
}

void StartupSettingsWindow::showLevel(int index, int value)
{
    slider(index)->setValue(static_cast<float>(value));
}

void StartupSettingsWindow::setMasterMaxima(int music, int microphone, int effect)
{
    m_main.linkScreen().report({.code = link::LinkCode::MasterMaxima, .values = {music, microphone, effect}});
}

} // namespace quorix::ui
