#pragma once

#include <string>

namespace quorix::measure {

enum class FilterShape { Peaking, LowShelf, HighShelf };

// How a shelf's steepness was written: a Q, a slope in dB per octave, or nothing.
enum class ShelfForm { Q, SlopeDb, Unstated };

// One filter as a room-measurement tool proposed it, before it meets the processor.
struct RequestedFilter {
    int line = 0; // 1-based line of the text it came from
    FilterShape shape = FilterShape::Peaking;
    double frequency = 1000; // Hz
    double gainDb = 0;
    double q = 0.71;     // peaking Q, or a shelf's Q when form is ShelfForm::Q
    double slopeDb = 12; // a shelf's slope when form is ShelfForm::SlopeDb
    ShelfForm form = ShelfForm::Q;
};

// The shelf slope S of the cookbook formulas: 12 dB per octave is S = 1, and a
// shelf Q is turned into S through the α both forms define. An unstated slope is S = 1.
double ShelfSlope(const RequestedFilter& filter);

// "PK", "LS", "HS" for the report.
const char* ShapeName(FilterShape shape);

} // namespace quorix::measure
