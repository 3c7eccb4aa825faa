#pragma once

namespace quorix::link {

// What went wrong on the link since it started, for a support bundle.
struct LinkCounters {
    int badChecksums = 0;     // frames dropped for their checksum
    int unexpectedFrames = 0; // valid frames that answered nothing waiting
    int retries = 0;          // requests sent again after their reply time-out
    int linkLosses = 0;       // times the link went down while online
    int deviceRefusals = 0;   // processors found whose reports cannot be carried
};

// The supervisor's flags and counters, shared by the parts of the link.
struct LinkState {
    bool online = false;            // a handshake was answered and the link has not been lost since
    bool linkDisabled = false;      // the user switched the link off: no handshake is sent
    bool syncPending = false;       // a full synchronisation starts at the next tick
    bool quietShutdown = false;     // the window is closing: no link messages, waits end at once
    bool linkSwitchOn = true;       // the connection button's own on/off state
    bool deviceVariantFlag = false; // the processor reported variant "3"
    bool replyWaitActive = false;   // a request is waiting for its reply
    int noReplyTicks = 0;           // ticks online since the last keep-alive answer
    int keepAliveTicks = 0;
    int handshakeTicks = 0;
    LinkCounters counters;
};

} // namespace quorix::link
