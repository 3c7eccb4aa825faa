#pragma once

#include "fader_marks.h"

#include "core/param_store.h"
#include "core/processor_record.h"
#include "core/view_state.h"

namespace quorix::controls {

// Fader marks read from the store (PerMode at mode index 0, the mute value at
// mode index 0), the view (automatic mode control, the mode on show) and, where
// given, the processor record (the copy on show never read).
class StoreMarks final : public FaderMarksSource {
public:
    StoreMarks(const core::ParamStore& store, const core::ViewState& view,
               const core::ProcessorRecord* record = nullptr)
        : m_store(store), m_view(view), m_record(record)
    {}

    FaderMarks marksFor(int address, int muteAddress) const override;

private:
    const core::ParamStore& m_store;
    const core::ViewState& m_view;
    const core::ProcessorRecord* m_record;
};

} // namespace quorix::controls
