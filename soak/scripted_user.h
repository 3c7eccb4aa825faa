#pragma once

#include "core/scheduler.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <random>
#include <vector>

namespace quorix::presets {
class ProcessorComparison;
} // namespace quorix::presets

namespace quorix::soak {

class SoakConsole;

// A user at the console, acting at random moments: single edits and drags on
// every kind, undo and redo, mode switches and mode copy, comparisons,
// configuration files opened, preset recalls and stores, and edits made offline.
// Nothing is clicked while the window is disabled for a transfer.
class ScriptedUser {
public:
    ScriptedUser(SoakConsole& console, std::uint64_t seed, std::vector<std::filesystem::path> files);

    void start();
    // What a fault asks for, now.
    void editOne();
    void openFile();
    void presetCommand();
    // How the user answers a comparison: rows left out now and then, then
    // true to write the screen, false to take the processor's values.
    bool answer(presets::ProcessorComparison& comparison);

private:
    int between(int lowest, int highest);
    bool windowEnabled() const;
    void act();
    void dragStep();
    void goOffline();
    int someAddress();

    SoakConsole& m_console;
    std::mt19937_64 m_random;
    std::vector<std::filesystem::path> m_files;
    std::vector<int> m_addresses; // every parameter the user may touch
    std::unique_ptr<core::Timer> m_next;
    std::unique_ptr<core::Timer> m_drag;
    std::unique_ptr<core::Timer> m_offline;
    int m_dragAddress = 0;
    int m_dragSteps = 0;
    int m_offlineEdits = 0;
};

} // namespace quorix::soak
