#include "mode_copy.h"

namespace quorix::core {

bool CopyMode(ParamEditor& edits, ViewState& view, const CopyModeHooks& hooks)
{
    const std::uint8_t current = view.currentMode;
    const auto other = static_cast<std::uint8_t>(1 - current);
    if (!hooks.askYesNo(current == 0 ? kCopySingingToDanceQuestion : kCopyDanceToSingingQuestion))
        return false;

    // Only the mode-dependent addresses have a record per mode; the global
    // kinds above them live at mode index 0 alone and must not be overwritten.
    const ParamStore& store = edits.store();
    for (int a = 0; a < kFirstGlobalAddress; ++a)
        edits.setCopy(other, a, store.at(current, a));

    view.currentMode = other; // the writes go out as the other mode
    for (int a = 0; a < kFirstGlobalAddress; ++a) {
        if (store.at(other, a).perMode && !hooks.send(a)) {
            view.currentMode = current;
            return false;
        }
    }
    view.currentMode = current;
    hooks.showMessage(kCopyDoneMessage);
    return true;
}

} // namespace quorix::core
