#include "response_curves.h"

#include "fast_log.h"

#include "core/value_tables.h"
#include "core/value_text.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorix::graph {

namespace {

// π / 48000 in full: the six-figure 6.54498e-5 moves a narrow band near 20 kHz by
// up to 0.009 dB against the filter it stands for.
constexpr double kHalfOmegaPerHertz = 3.14159265358979323846 / kSampleRate;
// Gain codes beyond 16 bits mean nothing; held there, every coefficient stays finite.
constexpr std::int32_t kWildestGainCode = 32767;

} // namespace

FilterSections FilterSectionsFor(int currentKind, int filterType)
{
    if (currentKind == 7) {
        switch (filterType) {
        case 0:
            return {false, 4};
        case 1:
            return {false, 2};
        case 2:
            return {false, 1};
        case 3:
            return {true, 2};
        default:
            return {true, 1};
        }
    }
    return {false, filterType == 0 ? 1 : 2};
}

BiquadCoefficients BandSection(const core::Band& band)
{
    const double f = core::FrequencyAt(std::clamp(band.freqIndex, 0, core::kFrequencyCount - 1));
    const double gainDb = core::GainDecibels(std::clamp(band.gain, -kWildestGainCode, kWildestGainCode));
    const double slope = core::QAt(std::clamp(band.shelfQIndex, 0, core::kQCount - 1));
    if (band.shape == 0)
        return PeakingCoefficients(f, kSampleRate, 0, core::QAt(std::clamp(band.qIndex, 0, core::kQCount - 1)), gainDb);
    if (band.shape == 2)
        return HighShelfCoefficients(f, kSampleRate, 0, slope, gainDb);
    return LowShelfCoefficients(f, kSampleRate, 0, slope, gainDb);
}

void ResponseCurves::resize(const PlotGeometry& geometry)
{
    m_points = geometry.points;
    m_stride = static_cast<std::size_t>(m_points);
    m_table.assign(m_stride * kMaxCurvePoints, 0.0f);
    m_total.assign(m_stride, 0.0f);
    m_ratio.assign(m_stride, 0.0f);
    m_frequency.resize(m_stride);
    m_phase.resize(m_stride);
    for (std::size_t i = 0; i < m_stride; ++i) {
        m_frequency[i] = geometry.pointFrequency(static_cast<int>(i));
        const double s = std::sin(m_frequency[i] * kHalfOmegaPerHertz);
        m_phase[i] = s * s;
    }
}

void ResponseCurves::computeCurve(const CurvePoint& point, int currentKind)
{
    std::fill_n(mutableColumn(std::min<int>(point.slot, kMaxCurvePoints - 1)), m_stride, 0.0f);
    if (point.isFilter() &&
        (point.band.freqIndex == core::kFrequencyIndexOffLow || point.band.freqIndex == core::kFrequencyIndexOffHigh))
        return; // a filter set to OFF is flat
    const double f = core::FrequencyAt(std::clamp(point.band.freqIndex, 0, core::kFrequencyCount - 1));
    if (point.type == EqBandPoint) {
        accumulateStage(point, BandSection(point.band));
        return;
    }
    const FilterSections sections = FilterSectionsFor(currentKind, point.filterType);
    const bool low = point.type == LowPassPoint;
    const BiquadCoefficients c =
        sections.bessel ? (low ? BesselLowPass(f, kSampleRate, 0) : BesselHighPass(f, kSampleRate, 0))
                        : (low ? ButterworthLowPass(f, kSampleRate, 0) : ButterworthHighPass(f, kSampleRate, 0));
    for (int stage = 0; stage < sections.stages; ++stage)
        accumulateStage(point, c);
}

void ResponseCurves::accumulateStage(const CurvePoint& point, const BiquadCoefficients& c)
{
    if (point.band.bandOff)
        return;
    // |H|² = (K3 - K1·φ + K5·φ²) / (K4 - K2·φ + K6·φ²), φ = sin²(ω/2). Near a narrow
    // band's centre and at low frequencies the three terms nearly cancel (by a factor
    // of 10⁴ and more), so they are formed and evaluated in double precision; only
    // the ratio, which no longer cancels, goes to single precision for the logarithm.
    const double k1 = 4 * (4 * c.b0 * c.b2 + c.b0 * c.b1 + c.b2 * c.b1);
    const double k2 = 4 * (4 * c.a0 * c.a2 + c.a0 * c.a1 + c.a2 * c.a1);
    const double k3 = (c.b0 + c.b1 + c.b2) * (c.b0 + c.b1 + c.b2);
    const double k4 = (c.a1 + c.a0 + c.a2) * (c.a1 + c.a0 + c.a2);
    const double k5 = 16 * c.b0 * c.b2;
    const double k6 = 16 * c.a0 * c.a2;

    const double* phase = m_phase.data();
    float* ratio = m_ratio.data();
    const int n = m_points;
    for (int i = 0; i < n; ++i) {
        const double p = phase[i];
        const double num = k3 + p * (k5 * p - k1);
        const double den = k4 + p * (k6 * p - k2);
        const double r = num / den;
        // Outside the normal floats (a zero, a rounding step below one, or no number) reads as 0.
        ratio[i] = (r > 1e-37) & (r < 1e37) ? static_cast<float>(r) : 0.0f;
    }
    AddDecibelsHoldingZeros(ratio, n, mutableColumn(std::min<int>(point.slot, kMaxCurvePoints - 1)));
}

void AddDecibelsHoldingZeros(const float* ratio, int count, float* out)
{
    constexpr float kLeast = std::numeric_limits<float>::min();
    constexpr float kMost = std::numeric_limits<float>::max();
    int gaps = 0;
    for (int i = 0; i < count; ++i)
        gaps += (ratio[i] >= kLeast) & (ratio[i] <= kMost) ? 0 : 1; // no branches: the loop vectorises
    if (gaps == 0) {
        for (int i = 0; i < count; ++i)
            out[i] += FastDecibels(ratio[i]);
        return;
    }
    float previous = 0.0f;
    for (int i = 0; i < count; ++i) {
        if (ratio[i] >= kLeast && ratio[i] <= kMost)
            previous = FastDecibels(ratio[i]);
        out[i] += previous;
    }
}

void ResponseCurves::sumCurves(const std::vector<CurvePoint>& points)
{
    std::fill(m_total.begin(), m_total.end(), 0.0f);
    float* total = m_total.data();
    for (const CurvePoint& p : points) {
        const float* col = column(std::min<int>(p.slot, kMaxCurvePoints - 1));
        for (int i = 0; i < m_points; ++i)
            total[i] += col[i];
    }
}

} // namespace quorix::graph
