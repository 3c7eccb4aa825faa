#include "soak_console.h"

#include "core/await_outcome.h"

#include "core/common_addresses.h"
#include "core/mode_copy.h"

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <utility>
#include <vector>

namespace quorix::soak {

SoakConsole::SoakConsole(Events events)
    : m_events(std::move(events)),
      m_watched(m_port, [this](std::span<const std::uint8_t> report) { m_events.written(report, m_link.online()); }),
      m_link(m_watched, m_clock, {m_store, m_image, m_view, m_digits, m_record, *this}, *this,
             std::getenv("SOAK_TRACE") ? &std::cerr : nullptr),
      m_presets({m_link, m_store, m_image, m_view, m_digits, *this}, *this, *this),
      m_files({m_link, m_store, m_image, m_view, m_digits, *this}, *this, {})
{
    core::InitParamStore(m_store, m_image);
    m_link.setSynchronisation([this](link::TransferDone done) { synchronise(std::move(done)); });
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
    case link::LinkCode::StoreReadStarted:
        ++m_transfers;
        break;
    case link::LinkCode::TransferEnded:
        --m_transfers;
        break;
    default:
        break;
    }
    m_events.report(report);
}

void SoakConsole::edit(int address, core::ParamEditor::UndoStep step, const core::ParamEditor::Change& change)
{
    m_document.edits().edit(address, step, change);
}

void SoakConsole::undo()
{
    m_document.edits().undo();
}

void SoakConsole::redo()
{
    m_document.edits().redo();
}

void SoakConsole::switchMode(int mode)
{
    if (m_view.autoModeControl == 1)
        return;
    m_view.currentMode = static_cast<std::uint8_t>(mode);
    m_document.edits().setValue(core::kModeAddress, mode);
    m_document.history().resetUndo();
}

void SoakConsole::copyMode()
{
    core::CopyMode(m_document.edits(), m_view, m_record, *this, [this](int address) {
        m_document.edits().writeMode(m_view.currentMode, address);
        return true;
    });
}

// As the console reconnects: while the record holds copies the processor may
// lack, the comparison lists them and the user answers before anything is read over them.
void SoakConsole::synchronise(link::TransferDone done)
{
    using Synchronisation = presets::ProcessorComparison::Synchronisation;
    m_comparison.synchronise([this, done = std::move(done)](Synchronisation outcome) {
        if (outcome == Synchronisation::Listed)
            answer();
        done(outcome != Synchronisation::Failed);
    });
}

bool SoakConsole::compare()
{
    using Outcome = presets::ProcessorComparison::Outcome;
    const Outcome outcome = core::AwaitOutcome<Outcome>(
        m_clock, [this](std::function<void(Outcome)> done) { m_comparison.compare(std::move(done)); });
    if (outcome != Outcome::Read)
        return false;
    if (!m_comparison.copies().empty())
        answer();
    return true;
}

void SoakConsole::answer()
{
    if (m_events.answer(m_comparison))
        m_comparison.writeScreen();
    else
        m_comparison.takeProcessorValues();
}

bool SoakConsole::openFile(const std::filesystem::path& path)
{
    return core::AwaitOutcome<bool>(m_clock, [&](auto done) { m_files.openConfigurationFile(path, std::move(done)); });
}

bool SoakConsole::recallPreset(int preset)
{
    return core::AwaitOutcome<bool>(m_clock, [&](auto done) { m_presets.recall(preset, std::move(done)); });
}

bool SoakConsole::storePreset(int userIndex)
{
    return core::AwaitOutcome<bool>(m_clock, [&](auto done) { m_presets.store(userIndex, std::move(done)); });
}

void SoakConsole::chooseOffline()
{
    m_link.offlineModeChosen();
}

void SoakConsole::chooseOnline()
{
    m_link.onlineModeChosen();
}

bool SoakConsole::settled() const
{
    return m_link.online() && !m_link.requestsPending() && !m_link.replyWaitActive() && m_transfers == 0;
}

// What the screen marks: any copy the processor is not known to hold, by a read or an answered write.
bool SoakConsole::marked(int mode, int address) const
{
    const core::CopyState state = m_record.state(mode, address);
    return state != core::CopyState::Read && state != core::CopyState::Acknowledged;
}

} // namespace quorix::soak
