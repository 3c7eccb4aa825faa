#pragma once

// A port the system has just given out on 127.0.0.1, free again for a broker to take; -1 when none was.
int FreeLoopbackPort();
// Whether something accepts connections on 127.0.0.1:`port`.
bool LoopbackListening(int port);
