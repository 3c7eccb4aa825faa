#include "response_curves.h"

#include "fast_log.h"

#include "core/value_tables.h"

#include <algorithm>
#include <cmath>

namespace quorix::graph {

namespace {

constexpr float kHalfOmegaPerHertz = 6.54498e-5f; // π / 48000

} // namespace

FilterSections FilterSectionsFor(int currentKind, int filterType)
{
    if (currentKind == 7) {
        switch (filterType) {
        case 0: return {false, 4};
        case 1: return {false, 2};
        case 2: return {false, 1};
        case 3: return {true, 2};
        default: return {true, 1};
        }
    }
    return {false, filterType == 0 ? 1 : 2};
}

void ResponseCurves::resize(const PlotGeometry& geometry)
{
    m_geometry = geometry;
    m_points = geometry.points;
    m_stride = static_cast<std::size_t>(m_points);
    m_table.assign(m_stride * kMaxCurvePoints, 0.0f);
    m_total.assign(m_stride, 0.0f);
    m_scratch.assign(m_stride, 0.0f);
    m_phaseValid = false;
}

void ResponseCurves::buildPhaseTables()
{
    m_frequency.resize(m_stride);
    m_phase.resize(m_stride);
    for (int i = 0; i < m_points; ++i) {
        const auto n = static_cast<std::size_t>(i);
        m_frequency[n] = static_cast<float>(m_geometry.pointFrequency(i));
        const double s = std::sin(static_cast<double>(m_frequency[n]) * kHalfOmegaPerHertz);
        m_phase[n] = static_cast<float>(s * s);
    }
    m_phaseValid = true;
}

void ResponseCurves::ComputeCurve(const CurvePoint& point, int currentKind)
{
    if (!m_phaseValid)
        buildPhaseTables();
    std::fill_n(mutableColumn(point.Slot), m_stride, 0.0f);
    if (point.isFilter() && (point.FreqIndex == core::kFrequencyIndexOffLow || point.FreqIndex == core::kFrequencyIndexOffHigh))
        return; // a filter set to OFF is flat
    const double f = core::FrequencyAt(std::clamp(point.FreqIndex, 0, core::kFrequencyCount - 1));
    if (point.Type == EqBandPoint) {
        const double gainDb = (point.GainOrType - 250) / 10.0;
        const int slope = std::clamp(point.ShelfQIndex, 0, core::kQCount - 1);
        BiquadCoefficients c;
        if (point.BandKind == 0)
            c = PeakingCoefficients(f, kSampleRate, 0, core::QAt(std::clamp(point.QIndex, 0, core::kQCount - 1)), gainDb);
        else if (point.BandKind == 2)
            c = HighShelfCoefficients(f, kSampleRate, 0, core::QAt(slope), gainDb);
        else
            c = LowShelfCoefficients(f, kSampleRate, 0, core::QAt(slope), gainDb);
        AccumulateStage(point, c);
        return;
    }
    const FilterSections sections = FilterSectionsFor(currentKind, point.GainOrType);
    const bool low = point.Type == LowPassPoint;
    const BiquadCoefficients c = sections.bessel ? (low ? BesselLowPass(f, kSampleRate, 0) : BesselHighPass(f, kSampleRate, 0))
                                                 : (low ? ButterworthLowPass(f, kSampleRate, 0)
                                                        : ButterworthHighPass(f, kSampleRate, 0));
    for (int stage = 0; stage < sections.stages; ++stage)
        AccumulateStage(point, c);
}

namespace {

// A quadratic k3 - k1·φ + k5·φ² in vertex form k5·((φ - p)² + q). Near a sharp
// notch the three terms nearly cancel; the vertex form keeps that cancellation
// in double precision, so the per-point arithmetic can stay in single precision.
struct Quadratic {
    float scale; // k5
    float p;
    float q;
    bool vertex; // false: k5 is (nearly) zero, evaluate k3 - k1·φ directly
    float k1;
    float k3;
};

Quadratic VertexForm(double k1, double k3, double k5)
{
    if (std::fabs(k5) <= 1e-9 * (std::fabs(k1) + std::fabs(k3)))
        return {0, 0, 0, false, static_cast<float>(k1), static_cast<float>(k3)};
    const double p = k1 / (2 * k5);
    return {static_cast<float>(k5), static_cast<float>(p), static_cast<float>(k3 / k5 - p * p), true, 0, 0};
}

float Evaluate(const Quadratic& f, float phase)
{
    if (!f.vertex)
        return f.k3 - f.k1 * phase;
    const float d = phase - f.p;
    return f.scale * (d * d + f.q);
}

} // namespace

void ResponseCurves::AccumulateStage(const CurvePoint& point, const BiquadCoefficients& c)
{
    if (point.BandOff)
        return;
    if (!m_phaseValid)
        buildPhaseTables();
    // |H|² = (K3 - K1·φ + K5·φ²) / (K4 - K2·φ + K6·φ²), φ = sin²(ω/2); the terms
    // cancel badly at low frequencies, so they are formed in double precision.
    const double k1 = 4 * (4 * c.b0 * c.b2 + c.b0 * c.b1 + c.b2 * c.b1);
    const double k2 = 4 * (4 * c.a0 * c.a2 + c.a0 * c.a1 + c.a2 * c.a1);
    const double k3 = (c.b0 + c.b1 + c.b2) * (c.b0 + c.b1 + c.b2);
    const double k4 = (c.a1 + c.a0 + c.a2) * (c.a1 + c.a0 + c.a2);
    const double k5 = 16 * c.b0 * c.b2;
    const double k6 = 16 * c.a0 * c.a2;
    const Quadratic numerator = VertexForm(k1, k3, k5);
    const Quadratic denominator = VertexForm(k2, k4, k6);

    const float* phase = m_phase.data();
    float* ratio = m_scratch.data();
    const int n = m_points;
    // First the magnitude ratio of every point (vectorised), then its dB.
    for (int i = 0; i < n; ++i) {
        const float num = Evaluate(numerator, phase[i]);
        const float den = Evaluate(denominator, phase[i]);
        ratio[i] = num > 0.0f && den > 0.0f ? num / den : 0.0f;
    }
    float* out = mutableColumn(point.Slot);
    float previous = 0.0f;
    for (int i = 0; i < n; ++i) {
        // At a zero of the response (or a rounding step below it) the previous value holds.
        const float r = ratio[i];
        const float v = r > 1e-30f && r < 1e30f ? FastDecibels(r) : previous;
        previous = v;
        out[i] += v;
    }
}

void ResponseCurves::SumCurves(const std::vector<CurvePoint>& points)
{
    std::fill(m_total.begin(), m_total.end(), 0.0f);
    float* total = m_total.data();
    for (const CurvePoint& p : points) {
        const float* col = column(p.Slot);
        for (int i = 0; i < m_points; ++i)
            total[i] += col[i];
    }
}

} // namespace quorix::graph
