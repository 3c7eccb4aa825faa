#include "frm_set.h"

#include "console_session.h"
#include "frm_eq.h"
#include "frm_set_controls.h"

#include "controls/m_combo_box.h"
#include "controls/m_scroll_bar.h"

namespace quorix::ui {

frmSet::frmSet(ConsoleSession& session, frmEQ& mainWindow, QWidget* parent)
    : TableWindow(session, FrmSetLayout(), parent), m_main(mainWindow), m_settings(writer(), *this)
{
    placeLoudspeakerLists(session.link().state().DeviceVariantFlag);
}

void frmSet::placeLoudspeakerLists(bool variantFlag)
{
    controls::MComboBox* shown = combo(variantFlag ? kVariantLoudspeakerCombo : kLoudspeakerCombo);
    controls::MComboBox* moved = combo(variantFlag ? kLoudspeakerCombo : kVariantLoudspeakerCombo);
    shown->move(shown->x(), FrmSetGeometry::kLoudspeakerRow);
    moved->move(moved->x(), FrmSetGeometry::kOutOfView);
}

void frmSet::sliderScrolled(int index, int value)
{
    m_settings.LevelScrolled(index, value);
}

void frmSet::comboClicked(int index, int value)
{
    if (comboAddress(index) >= 0)
        m_settings.ComboClicked(comboAddress(index), value);
}

void frmSet::showLevel(int index, int value)
{
    slider(index)->setValue(static_cast<float>(value));
}

void frmSet::setMasterMaxima(int music, int microphone, int effect)
{
    m_main.setMasterMaxima(music, microphone, effect);
}

} // namespace quorix::ui
