#pragma once

namespace quorix::link {

// The supervisor's flags and counters, shared by the parts of the link.
struct LinkState {
    bool LinkOnline = false;      // a handshake was answered and the link has not been lost since
    bool LinkDisabled = false;    // the user switched the link off: no handshake is sent
    bool SyncPending = false;     // a full synchronisation starts at the next tick
    bool QuietShutdown = false;   // the window is closing: no link messages, waits end at once
    bool LinkSwitchOn = true;     // the connection button's own on/off state
    bool DeviceVariantFlag = false; // the processor reported variant "3"
    bool ReplyWaitActive = false; // a request is waiting for its reply
    int NoReplyTicks = 0;         // ticks online since the last keep-alive answer
    int KeepAliveTicks = 0;
    int HandshakeTicks = 0;
};

} // namespace quorix::link
