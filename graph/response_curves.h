#pragma once

#include "biquad.h"
#include "curve_point.h"
#include "plot_geometry.h"

#include <vector>

namespace quorix::graph {

// Which sections a filter point is drawn with: the family and how many identical stages.
struct FilterSections {
    bool bessel = false;
    int stages = 1;
};
FilterSections FilterSectionsFor(int currentKind, int filterType);

// The section an equaliser band is drawn with. Any field value is safe.
BiquadCoefficients BandSection(const core::Band& band);

// The dB response of every curve point at every graph point, and their sum.
// Sine terms depend only on the pixel column, so they are tabulated once per size.
class ResponseCurves {
public:
    // Sizes and fills the tables for a plot; the curves are recomputed by the next full refresh.
    void resize(const PlotGeometry& geometry);
    int pointCount() const { return m_points; }

    // Recomputes the column of one point. Any field value is safe: indexes are
    // clamped to their tables and gain codes to what 16 bits can hold.
    void computeCurve(const CurvePoint& point, int currentKind);
    // Adds one section's response to the point's column.
    void accumulateStage(const CurvePoint& point, const BiquadCoefficients& c);
    void sumCurves(const std::vector<CurvePoint>& points);

    // Column of a curve slot, pointCount() values (none on a plot too small for any point).
    const float* column(int slot) const { return m_table.data() + static_cast<std::size_t>(slot) * m_stride; }
    const std::vector<float>& total() const { return m_total; }
    // Frequency of graph point i, single precision and as the curves were computed at it.
    float frequency(int i) const { return static_cast<float>(m_frequency[static_cast<std::size_t>(i)]); }
    double exactFrequency(int i) const { return m_frequency[static_cast<std::size_t>(i)]; }

private:
    float* mutableColumn(int slot) { return m_table.data() + static_cast<std::size_t>(slot) * m_stride; }

    int m_points = 0;
    std::size_t m_stride = 0;
    std::vector<double> m_frequency;
    std::vector<double> m_phase; // sin²(ω/2)
    std::vector<float> m_table;  // 17 columns of N values, one per curve slot
    std::vector<float> m_total;
    std::vector<float> m_ratio;
};

// Adds 10·log10 of each ratio to `out`; where a ratio is not a positive normal
// float (a zero of the response) the previous point's value is added again (0 at
// the first point).
void AddDecibelsHoldingZeros(const float* ratio, int count, float* out);

} // namespace quorix::graph
