#pragma once

namespace quorix::controls {

// How the parameter a fader shows is marked on screen.
struct FaderMarks {
    bool modeDependent = false; // the parameter is held per mode
    bool greyed = false;        // the processor switches modes itself: the fader is shown grey and takes no input
    bool dance = false;         // a mode-dependent parameter while the dance mode is on show
    bool muted = false;         // the fader's mute parameter is set
    bool neverRead = false;     // the value shown is the console's own: it was never read from the processor
};

// Answers, for a fader's address and mute address, how it is marked. The host
// answers from its store and view, so a fader never reads the store itself.
class FaderMarksSource {
public:
    virtual ~FaderMarksSource() = default;
    virtual FaderMarks marksFor(int address, int muteAddress) const = 0;
};

} // namespace quorix::controls
