#include "soak_console.h"

#include "core/common_addresses.h"
#include "core/mode_copy.h"
#include "core/param_diff.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <utility>
#include <vector>

namespace quorix::soak {

SoakConsole::SoakConsole(Events events)
    : m_events(std::move(events)),
      m_watched(m_port, [this](std::span<const std::uint8_t> report) { m_events.written(report, m_link.LinkOnline()); }),
      m_link(m_watched, m_clock, {m_store, m_image, m_view, m_digits}, *this, std::getenv("SOAK_TRACE") ? &std::cerr : nullptr),
      m_presets({m_link, m_store, m_image, m_view, m_digits, *this}, *this),
      m_files({m_link, m_store, m_image, m_view, m_digits, *this}, *this, *this)
{
    core::InitParamStore(m_store, m_image);
    m_lastRead = m_store;
    m_link.setSynchronisation([this] { return synchronise(); });
    m_link.start();
}

SoakConsole::~SoakConsole()
{
    m_link.setQuietShutdown(true);
    m_link.stop();
}

void SoakConsole::report(const link::LinkReport& report)
{
    switch (report.code) {
    case link::LinkCode::TransferStarted:
    case link::LinkCode::StoreReadStarted: ++m_transfers; break;
    case link::LinkCode::TransferEnded: --m_transfers; break;
    case link::LinkCode::StoreRead:
        if (report.value == 1)
            m_lastRead = m_store;
        break;
    default: break;
    }
    m_events.report(report);
}

void SoakConsole::edit(int address, core::ParamEditor::UndoStep step, const core::ParamEditor::Change& change)
{
    m_editor.edit(address, step, change);
}

void SoakConsole::undo()
{
    m_editor.Undo();
}

void SoakConsole::redo()
{
    m_editor.Redo();
}

void SoakConsole::switchMode(int mode)
{
    if (m_view.AutoModeControl == 1)
        return;
    m_view.CurrentMode = static_cast<std::uint8_t>(mode);
    m_editor.setValue(core::kModeAddress, mode);
    m_undo.ResetUndo();
}

void SoakConsole::copyMode()
{
    core::CopyMode(m_store, m_view,
                   {.askYesNo = [](std::string_view) { return true; },
                    .linkOnline = [this] { return m_link.LinkOnline(); },
                    .send =
                        [this](int address) {
                            m_editor.writeMode(m_view.CurrentMode, address);
                            return true;
                        },
                    .showMessage = [](std::string_view) {}});
}

// As the console reconnects: edits made since the last read are compared before anything is read over them.
bool SoakConsole::synchronise()
{
    if (m_store != m_lastRead) {
        core::ParamStore read = m_store;
        if (!m_link.ReadWorkingSet(m_view.CurrentPreset, read))
            return false;
        if (answerDifferences(read))
            return true;
    }
    return m_link.ReadFromDevice(0, true, link::Command::ReadBlock);
}

bool SoakConsole::compare()
{
    if (!m_link.LinkOnline())
        return false;
    core::ParamStore read = m_store;
    if (!m_link.ReadWorkingSet(m_view.CurrentPreset, read))
        return false;
    answerDifferences(read);
    return true;
}

// The comparison window's two answers: each differing parameter written (a
// shared one once, for the singing set), or the processor's values taken as one undo step.
bool SoakConsole::answerDifferences(const core::ParamStore& read)
{
    const auto differences = core::DiffImages(m_store, read);
    if (differences.empty())
        return false;
    if (m_events.writeScreen()) {
        std::vector<std::pair<int, int>> parameters;
        for (const core::ParamDifference& d : differences) {
            const bool mirrored = d.mode == 1 && !m_store.at(0, d.address).PerMode;
            const std::pair<int, int> parameter{mirrored ? 0 : d.mode, d.address};
            if (std::find(parameters.begin(), parameters.end(), parameter) == parameters.end())
                parameters.push_back(parameter);
        }
        const std::uint8_t shown = m_view.CurrentMode;
        for (const auto& [mode, address] : parameters) {
            m_view.CurrentMode = static_cast<std::uint8_t>(mode);
            const bool written = m_link.WriteParam(address);
            m_view.CurrentMode = shown;
            if (!written)
                break;
        }
    } else {
        m_undo.PushSnapshot();
        for (const core::ParamDifference& d : differences)
            m_store.at(d.mode, d.address) = read.at(d.mode, d.address);
    }
    m_lastRead = m_store;
    return true;
}

bool SoakConsole::openFile(const std::filesystem::path& path)
{
    return m_files.OpenConfigurationFile(path);
}

bool SoakConsole::recallPreset(int preset)
{
    return m_presets.Recall(preset);
}

bool SoakConsole::storePreset(int userIndex)
{
    return m_presets.Store(userIndex);
}

void SoakConsole::chooseOffline()
{
    m_link.OfflineModeChosen();
}

void SoakConsole::chooseOnline()
{
    m_link.OnlineModeChosen();
}

bool SoakConsole::settled() const
{
    return m_link.LinkOnline() && !m_link.requestsPending() && !m_link.ReplyWaitActive() && m_transfers == 0;
}

// Today the console marks only the writes still queued; the processor record will mark the rest.
bool SoakConsole::marked(int mode, int address) const
{
    return m_link.queuedWrites(mode, address) > 0;
}

} // namespace quorix::soak
