#pragma once

#include <array>

namespace quorix::link {

// What the link tells its screen: how the connection stands, how a step ended
// and what a read brought. The screen words it; the link knows no texts.
enum class LinkCode {
    // The connection.
    Online,       // a handshake was answered
    Lost,         // the link went down, and the user is to hear of it
    Disconnected, // the link is down with nothing to tell (closing, or already down)
    SwitchedOn,   // the connection button resumed the search
    SwitchedOff,  // the connection button switched the link off
    OnlineMode,   // online mode chosen: the search resumes
    OfflineMode,  // offline mode chosen: the link is off
    // Outcomes.
    DeviceUnusable, // a processor was found whose reports cannot be carried
    CountMismatch,  // a block reply of the wrong size: nothing of it was stored
    ReadFault,      // a block read could not be built or decoded
    ReadFaultAt,    // the same, of the store's read; values: preset, kind, address's low byte
    WriteFailed,    // a configuration could not be written
    WriteCutOff,    // a configuration transfer ended part way: what the processor holds is unknown
    WritesLost,     // value: how many parameter writes did not reach the processor
    // Block transfers, which wait for their replies: no other may start until one has ended.
    TransferStarted,
    StoreReadStarted, // a transfer that will replace the store
    Progress,         // value of maximum steps done
    TransferEnded,
    // What the link read or changed.
    Variant,          // value 1 when the processor has the fewer pages (variant "3")
    Preset,           // value: the preset in use
    MasterMaxima,     // values: music, microphone, effect
    ModeStateLoaded,  // the mode and the automatic mode were read
    StoreRead,        // the read into the store ended; value 1 when it read everything
    ProcessorWritten, // a configuration went to the processor
    Synchronised,     // the full read after a connection ended well
    SyncFailed,       // the full read after a connection did not
    Tone,             // value: the tone step the processor reset to
    Tick,             // the 50 ms supervisor tick
};

struct LinkReport {
    LinkCode code;
    int value = 0;
    int maximum = 0;
    std::array<int, 3> values{};
};

} // namespace quorix::link
