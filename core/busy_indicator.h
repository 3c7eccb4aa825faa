#pragma once

namespace quorix::core {

// Shows the window busy while a request runs: disabled, with its progress bar.
class BusyIndicator {
public:
    virtual ~BusyIndicator() = default;
    virtual void setBusy(bool busy) = 0;
};

} // namespace quorix::core
