#include "biquad.h"

#include <algorithm>
#include <cmath>

namespace quorix::graph {

namespace {

// The products' own constant, not a full-precision 2π.
constexpr double kTwoPi = 6.2831852;

BiquadCoefficients Normalise(double b0, double b1, double b2, double a0, double a1, double a2)
{
    return {b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0, 1.0};
}

double Omega(double f, double fs)
{
    return kTwoPi * f / fs;
}

// A steep slope with a deep cut makes the radicand negative; it is held at zero
// (the flattest shelf the formula allows) so the curve stays finite.
double ShelfAlpha(double w, double a, double slope)
{
    const double radicand = (a + 1 / a) * (1 / slope - 1) + 2;
    return std::sin(w) / 2 * std::sqrt(std::max(radicand, 0.0));
}

// The terms both shelves are made of: A, the overall gain, cos ω0 and 2√A·α.
struct ShelfTerms {
    double a;
    double gain;
    double c;
    double s;
};

ShelfTerms Shelf(double f, double fs, double g, double slope, double gainDb)
{
    const double w = Omega(f, fs);
    const double a = std::pow(10.0, gainDb / 40);
    return {a, std::pow(10.0, g / 20), std::cos(w), 2 * std::sqrt(a) * ShelfAlpha(w, a, slope)};
}

BiquadCoefficients Pass(double f, double fs, double g, double q, bool low)
{
    const double w = Omega(f, fs);
    const double gain = std::pow(10.0, g / 20);
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    const double edge = (low ? 1 - c : 1 + c) / 2;
    return Normalise(gain * edge, gain * (low ? 1 - c : -(1 + c)), gain * edge, 1 + alpha, -2 * c, 1 - alpha);
}

} // namespace

BiquadCoefficients PeakingCoefficients(double f, double fs, double g, double q, double gainDb)
{
    const double w = Omega(f, fs);
    const double a = std::pow(10.0, gainDb / 40);
    const double gain = std::pow(10.0, g / 20);
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    return Normalise(gain * (1 + alpha * a), gain * (-2 * c), gain * (1 - alpha * a), 1 + alpha / a, -2 * c,
                     1 - alpha / a);
}

BiquadCoefficients LowShelfCoefficients(double f, double fs, double g, double slope, double gainDb)
{
    const auto [a, gain, c, s] = Shelf(f, fs, g, slope, gainDb);
    return Normalise(gain * a * ((a + 1) - (a - 1) * c + s), gain * 2 * a * ((a - 1) - (a + 1) * c),
                     gain * a * ((a + 1) - (a - 1) * c - s), (a + 1) + (a - 1) * c + s, -2 * ((a - 1) + (a + 1) * c),
                     (a + 1) + (a - 1) * c - s);
}

BiquadCoefficients HighShelfCoefficients(double f, double fs, double g, double slope, double gainDb)
{
    const auto [a, gain, c, s] = Shelf(f, fs, g, slope, gainDb);
    return Normalise(gain * a * ((a + 1) + (a - 1) * c + s), gain * -2 * a * ((a - 1) + (a + 1) * c),
                     gain * a * ((a + 1) + (a - 1) * c - s), (a + 1) - (a - 1) * c + s, 2 * ((a - 1) - (a + 1) * c),
                     (a + 1) - (a - 1) * c - s);
}

BiquadCoefficients ButterworthLowPass(double f, double fs, double g)
{
    return Pass(f, fs, g, 1 / std::sqrt(2.0), true);
}

BiquadCoefficients ButterworthHighPass(double f, double fs, double g)
{
    return Pass(f, fs, g, 1 / std::sqrt(2.0), false);
}

BiquadCoefficients BesselLowPass(double f, double fs, double g)
{
    return Pass(f, fs, g, 1 / std::sqrt(3.0), true);
}

BiquadCoefficients BesselHighPass(double f, double fs, double g)
{
    return Pass(f, fs, g, 1 / std::sqrt(3.0), false);
}

double SectionDecibels(const BiquadCoefficients& c, double hertz, double fs)
{
    const double s = std::sin(3.14159265358979323846 * hertz / fs);
    const double p = s * s;
    const double k1 = 4 * (4 * c.b0 * c.b2 + c.b0 * c.b1 + c.b2 * c.b1);
    const double k2 = 4 * (4 * c.a0 * c.a2 + c.a0 * c.a1 + c.a2 * c.a1);
    const double k3 = (c.b0 + c.b1 + c.b2) * (c.b0 + c.b1 + c.b2);
    const double k4 = (c.a1 + c.a0 + c.a2) * (c.a1 + c.a0 + c.a2);
    const double num = k3 + p * (16 * c.b0 * c.b2 * p - k1);
    const double den = k4 + p * (16 * c.a0 * c.a2 * p - k2);
    return 10 * std::log10(num / den);
}

} // namespace quorix::graph
