#pragma once

#include "fader_kind.h"

namespace quorix::controls {

// The fixed geometry of a fader kind and layout variant.
struct SliderGeometry {
    int width = 0;
    int height = 0;
    int thumbWidth = 0;
    int thumbHeight = 0;
    double originX = 0;
    double originY = 0;
    double length = 0; // track length in pixels
    int textX = 0;
    int textY = 0;
    int textField = 0; // characters
    bool vertical = false;
    bool knob = false;
};

SliderGeometry GeometryFor(FaderKind kind, int hScrollSize, int eqNormalStyle);

// Pixel coordinate of the thumb for a position: from the top down on vertical
// kinds (the maximum at the top), from the left on horizontal ones.
double ThumbCoordinate(const SliderGeometry& g, int position, int maxValue);
// Knob angle in degrees, -133 at the minimum to +133 at the maximum.
double KnobAngle(int position, int maxValue);
// The position under a pointer coordinate (y on vertical kinds, x on horizontal),
// rounded half to even and clamped to 0..maxValue.
int PositionAt(const SliderGeometry& g, double coordinate, int maxValue);

// Band fader rows (kind 1), by EQNormalStyle s.
struct BandRows {
    double gainTop, gainBottom;
    double freqTop, freqBottom;
    double qTop, qBottom;
    double switchTop, switchBottom;
};
BandRows BandRowsFor(int eqNormalStyle);

} // namespace quorix::controls
