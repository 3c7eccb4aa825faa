#include "processor_comparison.h"

#include "link/device_link.h"

#include <algorithm>
#include <set>
#include <tuple>

namespace quorix::presets {

using Group = ComparedCopy::Group;

ProcessorComparison::ProcessorComparison(link::DeviceLink& link, core::ParamEditor& editor, const core::ViewState& view,
                                         core::ProcessorRecord& record)
    : m_link(link), m_editor(editor), m_view(view), m_record(record)
{}

void ProcessorComparison::compare(std::function<void(Outcome)> done)
{
    m_copies.clear();
    if (!m_link.online()) {
        done(Outcome::Offline);
        return;
    }
    const auto processor = std::make_shared<core::ParamStore>(m_editor.store());
    m_link.readWorkingSet(m_view.currentPreset, *processor,
                          [this, alive = std::weak_ptr(m_alive), processor, done = std::move(done)](bool read) {
                              if (alive.expired())
                                  return;
                              if (!read) {
                                  done(Outcome::ReadFailed);
                                  return;
                              }
                              list(*processor);
                              done(Outcome::Read);
                          });
}

void ProcessorComparison::list(const core::ParamStore& processor)
{
    m_processor = processor;
    const core::ParamStore& store = m_editor.store();
    std::set<std::pair<int, int>> differing;
    for (core::ParamDifference& d : core::DiffImages(store, m_processor)) {
        if (differing.insert({d.mode, d.address}).second) {
            const bool neverRead = m_record.state(d.mode, d.address) == core::CopyState::Unreadable;
            m_copies.push_back({Group::ReadDifferent, d.mode, d.address, neverRead, !neverRead, {}});
        }
        m_copies.back().fields.push_back(std::move(d));
    }
    // What was read and found equal, the processor is now known to hold.
    for (int address = 0; address < core::kAddressCount; ++address)
        for (int mode = 0; mode < 2; ++mode)
            if (core::ProcessorRecord::readable(mode, address) && !differing.contains({mode, address}))
                m_record.read(mode, address);
    for (const auto& [mode, address] : m_record.unconfirmed())
        if (!core::ProcessorRecord::readable(mode, address))
            m_copies.push_back({Group::NotReadBack, mode, address, false, true, {}});
}

void ProcessorComparison::synchronise(std::function<void(Synchronisation)> done)
{
    if (m_record.inStep()) {
        readAll(std::move(done));
        return;
    }
    compare([this, done = std::move(done)](Outcome outcome) mutable {
        if (outcome != Outcome::Read)
            done(Synchronisation::Failed);
        else if (!m_copies.empty())
            done(Synchronisation::Listed);
        else
            readAll(std::move(done));
    });
}

void ProcessorComparison::readAll(std::function<void(Synchronisation)> done)
{
    m_link.readFromDevice(0, true, link::Command::ReadBlock, [done = std::move(done)](bool read) {
        done(read ? Synchronisation::Read : Synchronisation::Failed);
    });
}

std::size_t ProcessorComparison::count(Group group) const
{
    return static_cast<std::size_t>(
        std::count_if(m_copies.begin(), m_copies.end(), [group](const ComparedCopy& c) { return c.group == group; }));
}

void ProcessorComparison::choose(std::size_t copy, bool chosen)
{
    m_copies.at(copy).chosen = chosen;
}

void ProcessorComparison::chooseGroup(Group group, bool chosen)
{
    for (ComparedCopy& c : m_copies)
        if (c.group == group)
            c.chosen = chosen;
}

namespace {

// The screen keeps a value the processor does not hold, as after an offline
// edit; the console's own values keep their mark.
void KeepMarked(core::ProcessorRecord& record, const ComparedCopy& copy)
{
    if (!copy.neverRead)
        record.editedOffline(copy.mode, copy.address);
}

} // namespace

int ProcessorComparison::writeScreen()
{
    std::vector<std::pair<int, int>> writes; // (address, mode): a shared parameter's mode byte 0 goes first
    for (const ComparedCopy& c : m_copies) {
        if (c.chosen)
            writes.emplace_back(c.address, c.mode);
        else if (c.group == Group::ReadDifferent)
            KeepMarked(m_record, c);
    }
    std::sort(writes.begin(), writes.end());
    for (const auto& [address, mode] : writes)
        m_editor.writeMode(mode, address);
    m_copies.clear();
    return static_cast<int>(writes.size());
}

int ProcessorComparison::takeProcessorValues()
{
    m_editor.beginStep(core::ParamEditor::UndoStep::Snapshot);
    int left = 0;
    const core::ParamStore& store = m_editor.store();
    std::set<int> takenShared;
    for (const ComparedCopy& c : m_copies) {
        if (c.group == Group::NotReadBack) {
            ++left;
            continue;
        }
        if (!c.chosen) {
            KeepMarked(m_record, c);
            continue;
        }
        const bool shared = c.address < core::kFirstGlobalAddress && !store.at(0, c.address).perMode;
        if (shared && c.mode == 1) {
            // Taken with its singing copy, where the processor holds the two alike.
            if (store.at(1, c.address) == m_processor.at(1, c.address)) {
                m_record.read(1, c.address);
            } else {
                m_record.editedOffline(1, c.address);
                ++left;
            }
            continue;
        }
        m_editor.takeFromProcessor(c.mode, c.address, m_processor.at(c.mode, c.address));
        m_record.read(c.mode, c.address);
        if (shared)
            takenShared.insert(c.address);
    }
    // Taking a shared parameter's singing copy changes its dance copy on screen
    // too; where that copy was found equal before, the processor may hold it apart.
    for (const ComparedCopy& c : m_copies)
        if (c.mode == 1)
            takenShared.erase(c.address);
    for (int address : takenShared) {
        if (store.at(1, address) != m_processor.at(1, address)) {
            m_record.editedOffline(1, address);
            ++left;
        }
    }
    m_copies.clear();
    return left;
}

} // namespace quorix::presets
