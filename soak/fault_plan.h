#pragma once

#include "core/scheduler.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <string_view>
#include <vector>

namespace quorix::soak {

class SoakConsole;

enum class FaultKind {
    LostReplies,        // a few replies never come
    LostRun,            // enough lost replies in a row to lose the link
    Noise,              // bytes between frames
    NoiseInReply,       // bytes inside a reply frame, or a block's fields behind a checksum that matches
    LateReply,          // one reply 0.1 to 2 s late
    DuplicatedReplies,  // replies sent twice, sometimes one byte a report
    SplitReplies,       // one byte a report at full speed, for a while
    ShortUnplug,        // out and back within 3 s
    LongUnplug,         // out for 8 to 40 s
    SilentKeepAlives,   // the keep-alive answers stop for 2 to 12 s
    UnplugInBlockWrite, // the cable goes while a file is written
    PresetUnderFaults,  // a preset recall or store while replies are lost and late
};
inline constexpr int kFaultKinds = 12;

std::string_view FaultName(FaultKind kind);

// One fault a minute, the kinds in turn. What the fault needs the user to do
// (an edit for lost replies to fall on, a file open, a preset command) it asks
// through `act`.
class FaultPlan {
public:
    struct Acts {
        std::function<void()> edit;
        std::function<void()> openFile;
        std::function<void()> presetCommand;
    };

    FaultPlan(SoakConsole& console, std::uint64_t seed, Acts acts);

    // The fault of this minute, applied now.
    FaultKind apply(int minute);
    // A cable pulled by a block write (now, or by a later one) goes back in a few seconds later.
    void tend();
    // Whether the line is clean: plugged in, answering keep-alives, no fault waiting for a reply.
    bool lineHealthy() const;

private:
    int between(int lowest, int highest);
    void unplugFor(int milliseconds);
    void splitFor(int milliseconds);
    std::vector<std::uint8_t> noise(int most);

    SoakConsole& m_console;
    std::mt19937_64 m_random;
    Acts m_acts;
    // Each ends its fault when it fires.
    std::unique_ptr<core::Timer> m_replug;
    std::unique_ptr<core::Timer> m_speak;
    std::unique_ptr<core::Timer> m_join;
};

} // namespace quorix::soak
