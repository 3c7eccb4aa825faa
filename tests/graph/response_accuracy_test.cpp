// The curves against the filters: a dense sweep over every curve the controls can
// make, compared with a double-precision complex evaluation of the same sections,
// and checks grounded in filter theory that do not use the coefficient builders.
#include "graph/biquad.h"
#include "graph/response_curves.h"

#include "core/value_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <iostream>
#include <numbers>
#include <vector>

using namespace quorix;
using namespace quorix::graph;

namespace {

struct Worst {
    double error = 0;
    std::string where;
};

// 10·log10 |H(e^jω)|² at every graph point, in double-precision complex arithmetic.
class ComplexReference {
public:
    explicit ComplexReference(const ResponseCurves& curves)
    {
        for (int i = 0; i < curves.pointCount(); ++i)
            m_z.push_back(std::polar(1.0, -2 * std::numbers::pi * curves.exactFrequency(i) / 48000.0));
    }
    double decibels(const BiquadCoefficients& c, std::size_t i) const
    {
        const std::complex<double> z = m_z[i];
        const std::complex<double> num = c.b0 + z * (c.b1 + z * c.b2);
        const std::complex<double> den = c.a0 + z * (c.a1 + z * c.a2);
        return 10 * std::log10(std::norm(num) / std::norm(den));
    }
    std::size_t size() const { return m_z.size(); }

private:
    std::vector<std::complex<double>> m_z;
};

} // namespace

TEST(ResponseAccuracy, EveryCurveOfTheControlsIsWithinAHundredthOfADecibel)
{
    ResponseCurves curves;
    curves.resize(PlotGeometry::forSize(600, 300));
    const ComplexReference reference(curves);
    Worst worst;
    std::size_t compared = 0;
    const auto check = [&](const CurvePoint& p, const BiquadCoefficients& c, int stages, const char* what) {
        const float* column = curves.column(0);
        for (std::size_t i = 0; i < reference.size(); ++i) {
            const double expected = stages * reference.decibels(c, i);
            if (!(expected >= -60 && expected <= 20))
                continue;
            ++compared;
            const double error = std::fabs(column[i] - expected);
            if (error > worst.error)
                worst = {error, std::string(what) + " index " + std::to_string(p.band.freqIndex) + " code " +
                                    std::to_string(p.band.gain) + " Q " + std::to_string(p.band.qIndex) + " slope " +
                                    std::to_string(p.band.shelfQIndex) + " at " +
                                    std::to_string(curves.exactFrequency(static_cast<int>(i))) + " Hz"};
        }
    };
    // Both ends of the gain range, the gains that went wrong before, and steps that are not whole dB.
    const int gains[] = {10, 65, 137, 245, 285, 310, 370};
    for (int index = 0; index < core::kFrequencyCount; ++index) {
        const double f = core::FrequencyAt(index);
        for (int gain : gains) {
            const double db = (gain - 250) / 10.0;
            CurvePoint point;
            point.band.freqIndex = index;
            point.band.gain = gain;
            for (int q = 0; q <= core::kMaxQIndex; ++q) {
                point.band.qIndex = q;
                curves.computeCurve(point, 0);
                check(point, PeakingCoefficients(f, 48000, 0, core::QAt(q), db), 1, "peaking");
            }
            for (int shelf : {1, 2}) {
                point.band.shape = static_cast<std::uint8_t>(shelf);
                for (int slope = 0; slope <= core::kMaxShelfQIndex; ++slope) {
                    point.band.shelfQIndex = slope;
                    curves.computeCurve(point, 0);
                    const double s = core::QAt(slope);
                    check(point,
                          shelf == 1 ? LowShelfCoefficients(f, 48000, 0, s, db)
                                     : HighShelfCoefficients(f, 48000, 0, s, db),
                          1, shelf == 1 ? "low shelf" : "high shelf");
                }
            }
        }
        if (index == core::kFrequencyIndexOffLow || index == core::kFrequencyIndexOffHigh)
            continue; // a filter there is OFF
        for (PointType type : {HighPassPoint, LowPassPoint}) {
            for (int filterType = 0; filterType <= 4; ++filterType) {
                CurvePoint filter;
                filter.type = type;
                filter.band.freqIndex = index;
                filter.filterType = filterType;
                curves.computeCurve(filter, 7);
                const FilterSections s = FilterSectionsFor(7, filterType);
                const bool low = type == LowPassPoint;
                check(filter,
                      s.bessel ? (low ? BesselLowPass(f, 48000, 0) : BesselHighPass(f, 48000, 0))
                               : (low ? ButterworthLowPass(f, 48000, 0) : ButterworthHighPass(f, 48000, 0)),
                      s.stages, s.bessel ? "Bessel" : "Butterworth");
            }
        }
    }
    std::cout << "worst of " << compared << " values: " << worst.error << " dB (" << worst.where << ")\n";
    EXPECT_LT(worst.error, 0.01) << worst.where;
}

namespace {

// The curve of one point on a wide plot, read at any frequency by interpolating in log frequency.
struct OneCurve {
    ResponseCurves curves;
    explicit OneCurve(const CurvePoint& p, int kind = 0)
    {
        curves.resize(PlotGeometry::forSize(1920, 700));
        curves.computeCurve(p, kind);
    }
    double at(double hertz) const
    {
        int i = 1;
        while (i < curves.pointCount() - 1 && curves.exactFrequency(i) < hertz)
            ++i;
        const double x0 = std::log(curves.exactFrequency(i - 1));
        const double t = (std::log(hertz) - x0) / (std::log(curves.exactFrequency(i)) - x0);
        return curves.column(0)[i - 1] + t * (curves.column(0)[i] - curves.column(0)[i - 1]);
    }
    // Where the curve crosses `level` between a and b (it is monotonic there).
    double crossing(double level, double a, double b) const
    {
        for (int step = 0; step < 60; ++step) {
            const double mid = std::sqrt(a * b);
            ((at(a) - level) * (at(mid) - level) <= 0 ? b : a) = mid;
        }
        return std::sqrt(a * b);
    }
};

CurvePoint Band(int kind, int index, int gain, int q, int slope = 0)
{
    CurvePoint p;
    p.band.shape = static_cast<std::uint8_t>(kind);
    p.band.freqIndex = index;
    p.band.gain = gain;
    p.band.qIndex = q;
    p.band.shelfQIndex = slope;
    return p;
}

const int k1kHz = core::FrequencyToIndex(1000);

} // namespace

TEST(FilterTheory, APeakingBandReadsItsGainAtItsCentre)
{
    for (auto [code, db] : {std::pair{370, 12.0}, {285, 3.5}, {137, -11.3}, {10, -24.0}}) {
        const CurvePoint band = Band(0, k1kHz, code, core::QToIndex(1.0f));
        EXPECT_NEAR(OneCurve(band).at(core::FrequencyAt(k1kHz)), db, 0.01) << code;
    }
}

TEST(FilterTheory, AShelfHasItsGainWellPastTheCornerAndNoneWellBefore)
{
    const int slopeOne = core::QToIndex(1.0f);
    for (auto [code, db] : {std::pair{345, 9.5}, {137, -11.3}}) {
        const OneCurve low(Band(1, k1kHz, code, 0, slopeOne));
        EXPECT_NEAR(low.at(20), db, 0.02) << code;
        EXPECT_NEAR(low.at(20000), 0, 0.02) << code;
        const OneCurve high(Band(2, k1kHz, code, 0, slopeOne));
        EXPECT_NEAR(high.at(20), 0, 0.02) << code;
        EXPECT_NEAR(high.at(21000), db, 0.05) << code;
    }
}

// A boost of A² (A = 10^(dB/40)) with quality Q falls 3.01 dB below its peak where
// |Ω - 1/Ω| = A / (Q·√(A⁴ - 2)), Ω = tan(ω/2) / tan(ω0/2) on the warped axis.
TEST(FilterTheory, APeakingBoostIsThreeDecibelsDownWhereItsQPutsIt)
{
    for (float q : {0.7f, 2.0f, 8.0f}) {
        const int qIndex = core::QToIndex(q);
        const double exactQ = core::QAt(qIndex);
        const double f0 = core::FrequencyAt(k1kHz);
        const OneCurve boost(Band(0, k1kHz, 370, qIndex));
        const double peak = boost.at(f0);
        const double lower = boost.crossing(peak - 3.0103, 100, f0);
        const double upper = boost.crossing(peak - 3.0103, f0, 10000);
        const auto warped = [f0](double f) {
            return std::tan(std::numbers::pi * f / 48000) / std::tan(std::numbers::pi * f0 / 48000);
        };
        const double a = std::pow(10.0, 12.0 / 40);
        const double expected = a / (exactQ * std::sqrt(std::pow(a, 4) - 2));
        EXPECT_NEAR(warped(upper) - warped(lower), expected, expected * 0.01) << q;
        EXPECT_NEAR(warped(upper) * warped(lower), 1.0, 0.002) << q;
    }
}

// At its corner a second-order low- or high-pass section has the gain Q.
TEST(FilterTheory, EachFilterStageReadsTwentyLogQAtItsCorner)
{
    const double butterworth = 20 * std::log10(1 / std::sqrt(2.0)); // -3.01 dB
    const double bessel = 20 * std::log10(1 / std::sqrt(3.0));      // -4.77 dB
    struct Case {
        int kind;
        int filterType;
        double expected;
    };
    const Case cases[] = {{7, 0, 4 * butterworth}, {7, 1, 2 * butterworth}, {7, 2, butterworth},    {7, 3, 2 * bessel},
                          {7, 4, bessel},          {0, 0, butterworth},     {4, 3, 2 * butterworth}};
    for (const Case& c : cases)
        for (PointType type : {HighPassPoint, LowPassPoint})
            for (int hz : {40, 303, 5000}) {
                CurvePoint filter;
                filter.type = type;
                filter.band.freqIndex = core::FrequencyToIndex(static_cast<float>(hz));
                filter.filterType = c.filterType;
                const OneCurve curve(filter, c.kind);
                EXPECT_NEAR(curve.at(core::FrequencyAt(filter.band.freqIndex)), c.expected, 0.01)
                    << "kind " << c.kind << " type " << c.filterType << " " << hz << " Hz";
            }
}

TEST(FilterTheory, AZeroOfTheResponseRepeatsTheValueBeforeIt)
{
    const float ratios[] = {10, 100, 0, 0, 1000, NAN, INFINITY, 0.1f};
    float out[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    AddDecibelsHoldingZeros(ratios, 8, out);
    const float expected[] = {11, 21, 21, 21, 31, 31, 31, -9};
    for (int i = 0; i < 8; ++i)
        EXPECT_NEAR(out[i], expected[i], 1e-4) << i;
}
