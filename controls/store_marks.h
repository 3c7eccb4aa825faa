#pragma once

#include "fader_marks.h"

#include "core/param_store.h"
#include "core/view_state.h"

namespace quorix::controls {

// Fader marks read from the store (PerMode at mode index 0, the mute value at
// mode index 0) and the view (automatic mode control, the mode on show).
class StoreMarks final : public FaderMarksSource {
public:
    StoreMarks(const core::ParamStore& store, const core::ViewState& view) : m_store(store), m_view(view) {}

    FaderMarks marksFor(int address, int muteAddress) const override;

private:
    const core::ParamStore& m_store;
    const core::ViewState& m_view;
};

} // namespace quorix::controls
