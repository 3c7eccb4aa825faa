#include "graph/biquad.h"
#include "graph/curve_point.h"
#include "graph/plot_geometry.h"
#include "graph/response_curves.h"

#include "core/value_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

using namespace quorix;
using namespace quorix::graph;

namespace {

// |H(e^jω)| in dB straight from the coefficients, in double-precision complex arithmetic.
double ReferenceDb(const BiquadCoefficients& c, double hertz)
{
    const std::complex<double> z = std::polar(1.0, -2 * std::numbers::pi * hertz / 48000.0);
    const auto num = c.b0 + c.b1 * z + c.b2 * z * z;
    const auto den = c.a0 + c.a1 * z + c.a2 * z * z;
    return 20 * std::log10(std::abs(num) / std::abs(den));
}

CurvePoint Band(int kind, int hz, int gain, int q, int slope = 10)
{
    CurvePoint p;
    p.type = EqBandPoint;
    p.band.shape = static_cast<std::uint8_t>(kind);
    p.band.freqIndex = core::FrequencyToIndex(static_cast<float>(hz));
    p.band.gain = gain;
    p.band.qIndex = core::QToIndex(static_cast<float>(q) / 100.0f);
    p.band.shelfQIndex = slope;
    return p;
}

CurvePoint Filter(PointType type, int hz, int filterType)
{
    CurvePoint p;
    p.type = type;
    p.band.freqIndex = core::FrequencyToIndex(static_cast<float>(hz));
    p.filterType = filterType;
    return p;
}

struct Curves : ::testing::Test {
    PlotGeometry geometry = PlotGeometry::forSize(1920, 700);
    ResponseCurves curves;
    void SetUp() override { curves.resize(geometry); }
};

} // namespace

TEST(PlotGeometry, TheFiguresOfAn800By300Plot)
{
    const PlotGeometry g = PlotGeometry::forSize(800, 300);
    EXPECT_EQ(g.bottom, 292);
    EXPECT_EQ(g.zeroY, 115);
    EXPECT_EQ(g.points, 755);
    EXPECT_NEAR(g.perDecade, 225.884, 0.001);
    EXPECT_NEAR(g.dbToY(12), 36.30, 0.01);
    EXPECT_NEAR(g.dbToY(-24), 272.40, 0.01);
    EXPECT_NEAR(g.frequencyToX(20), 108.00, 0.01);
    EXPECT_NEAR(g.frequencyToX(1000), 491.77, 0.01);
    EXPECT_NEAR(g.frequencyToX(20000), 785.65, 0.01);
    EXPECT_NEAR(g.frequencyToX(10), 40, 1e-4);
    EXPECT_NEAR(g.frequencyToX(22000), 795, 1e-3);
    EXPECT_NEAR(g.xToFrequency(491.77f), 1000, 0.1);
    EXPECT_FLOAT_EQ(g.gainToY(450), 10);   // above +16 dB
    EXPECT_FLOAT_EQ(g.gainToY(-100), 292); // below -27 dB
    EXPECT_EQ(g.yToGain(5), 410);
    EXPECT_EQ(g.yToGain(300), -20);
    EXPECT_EQ(g.yToGain(115), 250);
}

TEST_F(Curves, MatchAnIndependentEvaluationWithinAHundredthOfADecibel)
{
    struct Case {
        CurvePoint point;
        int kind;
    };
    std::vector<Case> cases = {
        {Band(0, 25, 130, 800), 0},         {Band(0, 1000, 370, 40), 0},       {Band(0, 63, 10, 12800), 0},
        {Band(0, 16000, 330, 200), 0},      {Band(1, 100, 370, 0, 0), 0},      {Band(1, 40, 10, 0, 28), 0},
        {Band(2, 8000, 120, 0, 20), 0},     {Band(2, 2000, 370, 0, 5), 0},     {Filter(HighPassPoint, 80, 0), 7},
        {Filter(HighPassPoint, 303, 3), 7}, {Filter(LowPassPoint, 120, 4), 7}, {Filter(LowPassPoint, 12000, 1), 3},
        {Filter(HighPassPoint, 20, 0), 4},  {Filter(LowPassPoint, 250, 2), 7},
    };
    // And a sweep over the corners of every band shape.
    for (int kind : {0, 1, 2})
        for (int hz : {20, 25, 1000, 19000})
            for (int gain : {10, 130, 370})
                for (int q : {40, 710, 12800})
                    cases.push_back({Band(kind, hz, gain, q, q == 40 ? 0 : q == 710 ? 10 : 28), 0});
    for (const Case& c : cases) {
        curves.computeCurve(c.point, c.kind);
        const double f = core::FrequencyAt(c.point.band.freqIndex);
        BiquadCoefficients coefficients;
        int stages = 1;
        if (c.point.type == EqBandPoint) {
            const double gain = (c.point.band.gain - 250) / 10.0;
            const double slope = core::QAt(c.point.band.shelfQIndex);
            coefficients = c.point.band.shape == 0
                               ? PeakingCoefficients(f, 48000, 0, core::QAt(c.point.band.qIndex), gain)
                           : c.point.band.shape == 2 ? HighShelfCoefficients(f, 48000, 0, slope, gain)
                                                     : LowShelfCoefficients(f, 48000, 0, slope, gain);
        } else {
            const FilterSections s = FilterSectionsFor(c.kind, c.point.filterType);
            stages = s.stages;
            const bool low = c.point.type == LowPassPoint;
            coefficients = s.bessel ? (low ? BesselLowPass(f, 48000, 0) : BesselHighPass(f, 48000, 0))
                                    : (low ? ButterworthLowPass(f, 48000, 0) : ButterworthHighPass(f, 48000, 0));
        }
        double worst = 0;
        for (int i = 0; i < curves.pointCount(); ++i) {
            const double reference = stages * ReferenceDb(coefficients, geometry.pointFrequency(i));
            if (reference < -60 || reference > 20)
                continue;
            worst = std::max(worst, std::fabs(curves.column(0)[i] - reference));
            ASSERT_TRUE(std::isfinite(curves.column(0)[i]));
        }
        EXPECT_LT(worst, 0.01) << "type " << c.point.type << " kind " << c.point.band.shape << " at " << f << " Hz";
    }
}

TEST_F(Curves, FlatCasesStayFlat)
{
    curves.computeCurve(Band(0, 1000, 250, 100), 0);
    for (int i = 0; i < curves.pointCount(); ++i)
        EXPECT_NEAR(curves.column(0)[i], 0, 1e-4);
    for (auto [type, index] : {std::pair{HighPassPoint, 0}, std::pair{LowPassPoint, 362}}) {
        CurvePoint off = Filter(type, 100, 2);
        off.band.freqIndex = index;
        curves.computeCurve(off, 7);
        for (int i = 0; i < curves.pointCount(); ++i)
            ASSERT_EQ(curves.column(0)[i], 0.0f);
    }
    CurvePoint bandAtZero = Band(0, 10, 370, 100);
    bandAtZero.band.freqIndex = 0; // a band at index 0 is computed normally
    curves.computeCurve(bandAtZero, 0);
    EXPECT_GT(curves.column(0)[0], 1.0f);
}

TEST_F(Curves, FilterStagesFollowTheMenuKind)
{
    const CurvePoint one = Filter(HighPassPoint, 150, 2); // one Butterworth stage on kind 7
    curves.computeCurve(one, 7);
    const std::vector<float> single(curves.column(0), curves.column(0) + curves.pointCount());
    CurvePoint four = one;
    four.filterType = 0;
    four.slot = 1;
    curves.computeCurve(four, 7);
    for (int i = 0; i < curves.pointCount(); i += 97)
        EXPECT_NEAR(curves.column(1)[i], 4 * single[static_cast<std::size_t>(i)], 1e-3);
    for (int type : {1, 2, 3, 4}) {
        CurvePoint other = one;
        other.filterType = type;
        other.slot = 2;
        curves.computeCurve(other, 4);
        for (int i = 0; i < curves.pointCount(); i += 97)
            EXPECT_NEAR(curves.column(2)[i], 2 * single[static_cast<std::size_t>(i)], 1e-3) << type;
    }
    EXPECT_TRUE(FilterSectionsFor(7, 3).bessel);
    EXPECT_EQ(FilterSectionsFor(7, 3).stages, 2);
    EXPECT_EQ(FilterSectionsFor(7, 9).stages, 1);
    EXPECT_FALSE(FilterSectionsFor(1, 3).bessel);
}

TEST_F(Curves, ABandThatIsOffAddsNothingToTheTotal)
{
    std::vector<CurvePoint> points = {Band(0, 100, 330, 200), Band(0, 1000, 150, 100), Band(0, 5000, 300, 50)};
    for (std::size_t i = 0; i < points.size(); ++i)
        points[i].slot = static_cast<std::uint8_t>(i);
    points[1].band.bandOff = true;
    for (const CurvePoint& p : points)
        curves.computeCurve(p, 0);
    curves.sumCurves(points);
    for (int i = 0; i < curves.pointCount(); i += 50) {
        EXPECT_EQ(curves.column(1)[i], 0.0f);
        EXPECT_FLOAT_EQ(curves.total()[static_cast<std::size_t>(i)], curves.column(0)[i] + curves.column(2)[i]);
    }
}

TEST_F(Curves, SteepShelvesWithDeepCutsAndWildValuesStayFinite)
{
    for (int gain : {62499, -62499, 0}) { // codes no editor makes, but a file or a processor may hold
        for (int kind : {0, 1, 2}) {
            curves.computeCurve(Band(kind, 1000, gain, 100, 28), 0);
            for (int i = 0; i < curves.pointCount(); ++i)
                ASSERT_TRUE(std::isfinite(curves.column(0)[i])) << gain << " " << kind;
        }
    }
    for (int slope : {27, 28}) {
        curves.computeCurve(Band(1, 100, 10, 0, slope), 0);
        for (int i = 0; i < curves.pointCount(); ++i)
            ASSERT_TRUE(std::isfinite(curves.column(0)[i])) << slope;
        curves.computeCurve(Band(2, 5000, 10, 0, slope), 0);
        for (int i = 0; i < curves.pointCount(); ++i)
            ASSERT_TRUE(std::isfinite(curves.column(0)[i])) << slope;
    }
}

TEST_F(Curves, AZeroOfTheResponseRepeatsThePreviousValue)
{
    // A section whose numerator is exactly zero everywhere: the value holds at 0 from the first point.
    CurvePoint p;
    curves.computeCurve(Filter(HighPassPoint, 0, 0), 0); // warm the tables
    curves.accumulateStage(p, BiquadCoefficients{0, 0, 0, 0, 0, 1});
    for (int i = 0; i < curves.pointCount(); ++i)
        ASSERT_EQ(curves.column(0)[i], 0.0f);
}
