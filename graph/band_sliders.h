#pragma once

#include "curve_point.h"

namespace quorix::graph {

// The sliders of the page as the graph sees them: it binds each curve point to
// the slider of its address, shows edits on it and highlights the selected one.
// The main window implements it over its slider array; tests use a fake.
class BandSliders {
public:
    virtual ~BandSliders() = default;
    // The first slider, in control-array order, whose address is `address`; -1 for none.
    virtual int sliderFor(int address) const = 0;
    // The slider now stands for curve point `pointIndex`.
    virtual void bindPoint(int slider, int pointIndex) = 0;
    // A band's frequency, Q, slope, shape, on/off and gain (as Value).
    virtual void showBand(int slider, const core::Band& band) = 0;
    // A filter's frequency index (as Value).
    virtual void showValue(int slider, int value) = 0;
    // Highlights the slider bound to `selectedPoint` among those bound in first..last, and no other.
    virtual void highlightSelected(int first, int last, int selectedPoint) = 0;
};

} // namespace quorix::graph
