#pragma once

#include <string_view>

namespace quorix::presets {

// What a preset or file flow does to the window that started it. Its
// messages carry the warning icon; a finished write, the information icon.
class FlowHost {
public:
    virtual ~FlowHost() = default;
    virtual void showMessage(std::string_view text) = 0;
    virtual void showInformation(std::string_view text) = 0;
    virtual bool askYesNo(std::string_view question) = 0;
    // While a request runs the window is disabled and shows its progress bar.
    virtual void setBusy(bool busy) = 0;
};

} // namespace quorix::presets
