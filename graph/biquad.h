#pragma once

namespace quorix::graph {

inline constexpr double kSampleRate = 48000.0;

// Normalised second-order section, in this order: b0, b1, b2, a1, a2, a0 (a0 is 1).
struct BiquadCoefficients {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0, a0 = 1;
};

// Audio EQ Cookbook sections. f: centre or corner frequency, fs: sample rate,
// g: overall gain in dB; then Q or shelf slope S and the band's gain in dB.
BiquadCoefficients PeakingCoefficients(double f, double fs, double g, double q, double gainDb);
BiquadCoefficients LowShelfCoefficients(double f, double fs, double g, double slope, double gainDb);
BiquadCoefficients HighShelfCoefficients(double f, double fs, double g, double slope, double gainDb);
BiquadCoefficients ButterworthLowPass(double f, double fs, double g);
BiquadCoefficients ButterworthHighPass(double f, double fs, double g);
BiquadCoefficients BesselLowPass(double f, double fs, double g);
BiquadCoefficients BesselHighPass(double f, double fs, double g);

// The section's response in dB at one frequency, in double precision throughout,
// from the same |H|² form the graph's columns use.
double SectionDecibels(const BiquadCoefficients& c, double hertz, double fs);

} // namespace quorix::graph
