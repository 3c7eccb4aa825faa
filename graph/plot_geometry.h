#pragma once

#include <cstdint>

namespace quorix::graph {

// Where things lie on a plot of W × H pixels: a log frequency axis from 10 Hz
// (x 40) to 22 kHz (x W - 5), +16 dB (y 10) to -27 dB (y H - 8); one graph
// point per pixel column from x 40.
struct PlotGeometry {
    int width = 0;
    int height = 0;
    int right = 0;          // xR
    int bottom = 0;         // yB
    int points = 0;         // N
    float perDecade = 0;    // D
    std::int16_t zeroY = 0; // y of 0 dB

    static constexpr int kLeft = 40;
    static constexpr int kTop = 10;

    static PlotGeometry forSize(int width, int height);

    float frequencyToX(float hertz) const;
    float xToFrequency(float x) const;
    float dbToY(float db) const;
    float gainToY(std::int32_t gainCode) const;
    // The gain code under y; callers clamp it.
    std::int32_t yToGain(float y) const;
    // Frequency of graph point i.
    double pointFrequency(int i) const;
};

} // namespace quorix::graph
