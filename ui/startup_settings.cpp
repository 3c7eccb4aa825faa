#include "startup_settings.h"

#include <stdexcept>

namespace quorix::ui {

StartupSettings::StartupSettings(core::ParamEditor& edits, StartupSettingsHost& host) : m_edits(edits), m_host(host) {}

int StartupSettings::stored(int slider) const
{
    return m_edits.store().at(0, kLevelAddresses[static_cast<std::size_t>(slider)]).value;
}

void StartupSettings::levelScrolled(int slider, int value)
{
    if (slider < 0 || slider >= kLevelCount)
        throw std::out_of_range("no such startup level slider");
    const bool powerOn = slider >= 3;
    if (powerOn && value > stored(slider - 3)) {
        value = stored(slider - 3);
        m_host.showLevel(slider, value);
    }
    const int address = kLevelAddresses[static_cast<std::size_t>(slider)];
    m_edits.apply(address, [value](core::ParamRecord& r) { r.value = value; });
    m_host.setMasterMaxima(stored(0), stored(1), stored(2));
    if (!powerOn) {
        for (int k = 0; k < 3; ++k) {
            if (stored(k + 3) <= stored(k))
                continue;
            m_edits.setValue(kLevelAddresses[static_cast<std::size_t>(k + 3)], stored(k));
            m_host.showLevel(k + 3, stored(k));
        }
    }
    m_edits.write(address);
}

void StartupSettings::comboClicked(int address, int value)
{
    m_edits.setValue(address, value);
}

} // namespace quorix::ui
