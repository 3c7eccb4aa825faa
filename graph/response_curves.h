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

// The dB response of every curve point at every graph point, and their sum.
// Sine terms depend only on the pixel column, so they are tabulated once per size.
class ResponseCurves {
public:
    // Sizes the tables for a plot; the contents are recomputed by the next full refresh.
    void resize(const PlotGeometry& geometry);
    int pointCount() const { return m_points; }

    // Recomputes the column of one point.
    void ComputeCurve(const CurvePoint& point, int currentKind);
    // Adds one section's response to the point's column.
    void AccumulateStage(const CurvePoint& point, const BiquadCoefficients& c);
    void SumCurves(const std::vector<CurvePoint>& points);

    const float* column(int slot) const { return &m_table[static_cast<std::size_t>(slot) * m_stride]; }
    const std::vector<float>& total() const { return m_total; }
    float frequency(int i) const { return m_frequency[static_cast<std::size_t>(i)]; }

private:
    void buildPhaseTables();
    float* mutableColumn(int slot) { return &m_table[static_cast<std::size_t>(slot) * m_stride]; }

    PlotGeometry m_geometry;
    int m_points = 0;
    std::size_t m_stride = 0;
    bool m_phaseValid = false;
    std::vector<float> m_frequency;
    std::vector<float> m_phase;  // sin²(ω/2)
    std::vector<float> m_table;  // 17 columns of N values, one per curve slot
    std::vector<float> m_total;
    std::vector<float> m_scratch;
};

} // namespace quorix::graph
