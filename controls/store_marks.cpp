#include "store_marks.h"

namespace quorix::controls {

FaderMarks StoreMarks::marksFor(int address, int muteAddress) const
{
    FaderMarks marks;
    marks.modeDependent = address >= 0 && address < core::kAddressCount && m_store.at(0, address).perMode;
    marks.greyed = marks.modeDependent && m_view.autoModeControl == 1;
    marks.dance = marks.modeDependent && m_view.currentMode == 1;
    marks.muted = muteAddress > 0 && muteAddress < core::kAddressCount && m_store.at(0, muteAddress).value == 1;
    marks.neverRead = m_record && address >= 0 && address < core::kAddressCount &&
                      m_record->state(m_view.currentMode, address) == core::CopyState::Unreadable;
    return marks;
}

} // namespace quorix::controls
