#pragma once

#include "requested_filter.h"

#include "core/band.h"
#include "core/param_editor.h"
#include "core/param_store.h"
#include "core/view_state.h"

#include <string>
#include <vector>

namespace quorix::measure {

// One filter on the band it was given, as the processor will hold it.
struct FittedBand {
    RequestedFilter requested;
    int address = -1;
    core::Band band; // the band with the quantised values
};

// Why a fit was refused, as data: nothing may then be applied.
enum class FitRefusal { None, NoBands, TooManyFilters };

struct BandFit {
    FitRefusal refusal = FitRefusal::None;
    std::size_t filterCount = 0; // what TooManyFilters compares
    std::size_t bandCount = 0;
    std::vector<FittedBand> fitted; // in frequency order, one per band in address order
    std::vector<int> flattened;     // bands left over, set to 0 dB
    // Largest |requested − achievable| of the page's summed bands between 20 Hz and
    // 20 kHz, and where it lies: the graph's sections evaluated exactly, found to
    // well within 0.01 dB however narrow the bands.
    double largestDifferenceDb = 0;
    double atHertz = 0;

    bool ok() const { return refusal == FitRefusal::None; }
};

// Gives each filter, lowest frequency first, one equaliser band of the page in view
// (mode view.CurrentMode), quantised to the nearest frequency, 0.1 dB gain step and
// Q or shelf slope the processor has. More filters than bands is refused.
BandFit FitFilters(const core::ParamStore& store, const core::ViewState& view,
                   const std::vector<RequestedFilter>& filters);

// Edits the bands of a fit that is ok() through the edit path, the first change
// with `step` (one undo step for the whole fit); returns the addresses changed.
std::vector<int> ApplyBandFit(core::ParamEditor& editor, const BandFit& fit,
                              core::ParamEditor::UndoStep step = core::ParamEditor::UndoStep::None);

// Nearest table entries on a logarithmic scale, within the ranges a band may use.
int NearestFrequencyIndex(double hertz);
int NearestQIndex(double q, int highestIndex);

} // namespace quorix::measure
