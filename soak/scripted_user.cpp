#include "scripted_user.h"

#include "soak_console.h"

#include "presets/processor_comparison.h"

#include "core/address_map.h"
#include "core/common_addresses.h"

#include <algorithm>

namespace quorix::soak {

namespace {

constexpr int kDragStepMs = 16;

} // namespace

ScriptedUser::ScriptedUser(SoakConsole& console, std::uint64_t seed, std::vector<std::filesystem::path> files)
    : m_console(console), m_random(seed), m_files(std::move(files)),
      m_next(console.clock().createTimer(1000, true, [this] { act(); })),
      m_drag(console.clock().createTimer(kDragStepMs, true, [this] { dragStep(); })),
      m_offline(console.clock().createTimer(1000, true, [this] {
          if (m_offlineEdits-- > 0) {
              editOne();
              m_offline->setInterval(between(500, 5000));
              m_offline->start();
          } else {
              m_console.chooseOnline();
          }
      }))
{
    const core::ParamStore& layout = core::DefaultParamStore();
    for (int a = 0; a < core::kAddressCount; ++a)
        if (layout.at(0, a).defined && a != core::kRightsAddress && a != core::kModeAddress &&
            a != core::kAutoModeAddress)
            m_addresses.push_back(a);
}

void ScriptedUser::start()
{
    m_next->setInterval(between(3000, 40000));
    m_next->start();
}

int ScriptedUser::between(int lowest, int highest)
{
    return std::uniform_int_distribution<int>(lowest, highest)(m_random);
}

int ScriptedUser::someAddress()
{
    return m_addresses[static_cast<std::size_t>(between(0, static_cast<int>(m_addresses.size()) - 1))];
}

bool ScriptedUser::answer(presets::ProcessorComparison& comparison)
{
    const std::size_t rows = comparison.copies().size();
    if (rows > 0 && between(0, 3) == 0)
        comparison.choose(static_cast<std::size_t>(between(0, static_cast<int>(rows) - 1)), false);
    if (between(0, 5) == 0)
        comparison.chooseGroup(presets::ComparedCopy::Group::NotReadBack, between(0, 1) == 1);
    return between(0, 1) == 1;
}

void ScriptedUser::editOne()
{
    if (m_console.windowDisabled())
        return;
    const int address = someAddress();
    using Step = core::ParamEditor::UndoStep;
    if (core::DefaultParamStore().at(0, address).paramClass != core::ParamClass::EqBand) {
        const int value = between(0, 100);
        m_console.edit(address, Step::Snapshot, [value](core::ParamRecord& r) { r.value = value; });
        return;
    }
    core::Band band;
    band.shape = static_cast<std::uint8_t>(between(0, 2));
    band.shelfQIndex = between(0, 28);
    band.freqIndex = between(1, 361);
    band.gain = between(10, 370);
    band.qIndex = between(0, 100);
    band.bandOff = between(0, 9) == 0;
    m_console.edit(address, Step::Snapshot, [band](core::ParamRecord& r) { r.band = band; });
}

void ScriptedUser::dragStep()
{
    if (m_dragSteps-- <= 0 || m_console.windowDisabled())
        return;
    const int step = between(-3, 3);
    using Step = core::ParamEditor::UndoStep;
    if (core::DefaultParamStore().at(0, m_dragAddress).paramClass == core::ParamClass::EqBand)
        m_console.edit(m_dragAddress, Step::Burst,
                       [step](core::ParamRecord& r) { r.band.gain = std::clamp(r.band.gain + step, 10, 370); });
    else
        m_console.edit(m_dragAddress, Step::Burst,
                       [step](core::ParamRecord& r) { r.value = std::clamp(r.value + step, 0, 100); });
    m_drag->start();
}

void ScriptedUser::openFile()
{
    if (!m_console.windowDisabled() && !m_files.empty())
        m_console.openFile(m_files[static_cast<std::size_t>(between(0, static_cast<int>(m_files.size()) - 1))]);
}

void ScriptedUser::presetCommand()
{
    if (m_console.windowDisabled())
        return;
    if (between(0, 2) == 0)
        m_console.storePreset(between(0, 4));
    else
        m_console.recallPreset(between(0, 7));
}

void ScriptedUser::goOffline()
{
    m_console.chooseOffline();
    m_offlineEdits = between(1, 4);
    m_offline->setInterval(between(500, 5000));
    m_offline->start();
}

void ScriptedUser::act()
{
    start(); // the next moment
    if (m_console.windowDisabled() || m_offline->isActive())
        return;
    const int roll = between(0, 99);
    if (roll < 30) {
        editOne();
    } else if (roll < 45) {
        m_dragAddress = someAddress();
        m_dragSteps = between(10, 30);
        m_drag->start();
    } else if (roll < 53) {
        m_console.undo();
    } else if (roll < 58) {
        m_console.redo();
    } else if (roll < 64) {
        m_console.switchMode(1 - m_console.view().currentMode);
    } else if (roll < 67) {
        m_console.copyMode();
    } else if (roll < 74) {
        m_console.compare();
    } else if (roll < 79) {
        openFile();
    } else if (roll < 85) {
        goOffline();
    } else {
        presetCommand();
    }
}

} // namespace quorix::soak
