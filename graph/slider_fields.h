#pragma once

namespace quorix::graph {

// What a slider bound to a curve point shows, read off the slider by the window:
// its raw value (a band's gain code, a filter's frequency index) and a band
// fader's frequency, Q, slope, shape and on/off fields.
struct SliderFields {
    float Value = 250;
    int Freq = 0;
    int q = 0;
    int sQ = 0;
    int QType = 0;
    bool EQdisabled = false;
};

} // namespace quorix::graph
