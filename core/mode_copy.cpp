#include "mode_copy.h"

namespace quorix::core {

namespace {

// Whether a dance value of its own still holds the console's value, never read nor edited.
bool DanceSetNeverRead(const ProcessorRecord& record, const ParamStore& store)
{
    for (int address = 0; address < kFirstGlobalAddress; ++address)
        if (store.at(1, address).perMode && record.state(1, address) == CopyState::Unreadable)
            return true;
    return false;
}

std::string_view CopyQuestion(int current, const ProcessorRecord& record, const ParamStore& store)
{
    if (current == 0)
        return kCopySingingToDanceQuestion;
    // Dance values that never came from the processor would silently replace its singing set.
    return DanceSetNeverRead(record, store) ? kUnreadDanceCopyQuestion : kCopyDanceToSingingQuestion;
}

} // namespace

bool CopyMode(ParamEditor& edits, ViewState& view, const ProcessorRecord& record, Prompter& prompter,
              const SendParam& send)
{
    const std::uint8_t current = view.currentMode;
    const auto other = static_cast<std::uint8_t>(1 - current);
    if (!prompter.askYesNo(CopyQuestion(current, record, edits.store())))
        return false;

    // Only the mode-dependent addresses have a record per mode; the global
    // kinds above them live at mode index 0 alone and must not be overwritten.
    const ParamStore& store = edits.store();
    for (int a = 0; a < kFirstGlobalAddress; ++a)
        edits.setCopy(other, a, store.at(current, a));

    view.currentMode = other; // the writes go out as the other mode
    for (int a = 0; a < kFirstGlobalAddress; ++a) {
        if (store.at(other, a).perMode && !send(a)) {
            view.currentMode = current;
            return false;
        }
    }
    view.currentMode = current;
    prompter.showMessage(kCopyDoneMessage, Severity::Warning);
    return true;
}

} // namespace quorix::core
