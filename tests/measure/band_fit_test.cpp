#include "measure/band_fit.h"
#include "measure/band_fit_report.h"
#include "measure/filter_text_parser.h"

#include "graph/curve_points.h"

#include "core/address_map.h"
#include "core/value_tables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

namespace quorix::measure {
namespace {

TEST(BandFit, QuantisesToTheNearestTableEntries)
{
    struct Frequency {
        double hertz;
        float expected;
    };
    for (const Frequency c : {Frequency{128, 127}, {1005, 1000}, {1015, 1020}, {10, 19.7f}, {30000, 20200}})
        EXPECT_EQ(core::FrequencyAt(NearestFrequencyIndex(c.hertz)), c.expected) << c.hertz;
    struct Q {
        double q;
        int highest;
        float expected;
    };
    for (const Q c :
         {Q{0.70, 100, 0.71f}, {3.3, 100, 3.4f}, {3.25, 100, 3.2f}, {500, 100, 128}, {0.1, 100, 0.4f}, {3.0, 28, 2.0f}})
        EXPECT_EQ(core::QAt(NearestQIndex(c.q, c.highest)), c.expected) << c.q;
}

struct PageFixture {
    core::ParamStore store = core::DefaultParamStore();
    core::ViewState view;
    std::vector<int> bands;

    explicit PageFixture(int kind, int mode = 0)
    {
        view.currentKind = kind;
        view.currentMode = static_cast<std::uint8_t>(mode);
        for (const auto& p : graph::BuildCurvePoints(store, view, [](int) { return -1; }).points)
            if (p.type == graph::EqBandPoint)
                bands.push_back(p.address);
    }
};

BandFit Fit(const PageFixture& page, const char* text)
{
    const FilterText parsed = ParseFilterText(text);
    EXPECT_TRUE(parsed.ok());
    return FitFilters(page.store, page.view, parsed.filters);
}

TEST(BandFit, GivesBandsInFrequencyOrderAndFlattensTheRest)
{
    PageFixture page(core::MainOutput, 1);
    ASSERT_GE(page.bands.size(), 4u);
    const BandFit fit = Fit(page, "Filter 1: ON PK Fc 2000 Hz Gain -3.04 dB Q 2\n"
                                  "Filter 2: ON LS 6 dB Fc 60 Hz Gain 30 dB\n"
                                  "Filter 3: ON HSC Fc 9000 Hz Gain -2 dB Q 0.71\n");
    ASSERT_TRUE(fit.ok()) << BandFitReport(fit);
    ASSERT_EQ(fit.fitted.size(), 3u);
    EXPECT_EQ(fit.fitted[0].address, page.bands[0]);
    EXPECT_EQ(fit.fitted[0].band.shape, 1);
    EXPECT_EQ(fit.fitted[0].band.gain, 370); // +30 dB held at the band's +12 dB
    EXPECT_EQ(core::QAt(fit.fitted[0].band.shelfQIndex), 0.5f);
    EXPECT_EQ(fit.fitted[1].band.shape, 0);
    EXPECT_EQ(fit.fitted[1].band.gain, 220);
    EXPECT_EQ(fit.fitted[2].band.shape, 2);
    EXPECT_EQ(fit.flattened.size(), page.bands.size() - 3);
    EXPECT_GT(fit.largestDifferenceDb, 10.0); // the boost clipped to +12 dB

    page.store.at(1, page.bands.back()).band.gain = 300;
    core::NullParamWriter noProcessor;
    core::ParamEditor editor(page.store, page.view, noProcessor);
    const std::vector<int> changed = ApplyBandFit(editor, fit);
    EXPECT_NE(std::find(changed.begin(), changed.end(), page.bands.back()), changed.end());
    EXPECT_EQ(page.store.at(1, page.bands.back()).band.gain, 250);
    const core::ParamRecord& first = page.store.at(1, page.bands[0]);
    EXPECT_EQ(first.band.gain, 370);
    if (!page.store.at(0, page.bands[0]).perMode) {
        EXPECT_EQ(page.store.at(0, page.bands[0]).band.gain, 370);
    }
    const std::string report = BandFitReport(fit);
    EXPECT_NE(report.find("line 2 LS 60 Hz 30 dB 6 dB/oct (S 0.50) -> LS 60.1 Hz 12.0 dB S 0.50"), std::string::npos)
        << report;
}

TEST(BandFit, RefusesMoreFiltersThanBandsNamingBoth)
{
    PageFixture page(core::MainOutput);
    std::string text;
    for (std::size_t i = 0; i <= page.bands.size(); ++i)
        text +=
            "Filter " + std::to_string(i + 1) + ": ON PK Fc " + std::to_string(100 + 50 * i) + " Hz Gain 1 dB Q 1\n";
    const BandFit fit = Fit(page, text.c_str());
    ASSERT_FALSE(fit.ok());
    const std::string refusal = BandFitReport(fit);
    EXPECT_NE(refusal.find(std::to_string(page.bands.size() + 1) + " filters"), std::string::npos) << refusal;
    EXPECT_NE(refusal.find(std::to_string(page.bands.size()) + " equaliser bands"), std::string::npos);
    const core::ParamStore before = page.store;
    core::NullParamWriter noProcessor;
    core::ParamEditor editor(page.store, page.view, noProcessor);
    EXPECT_TRUE(ApplyBandFit(editor, fit).empty());
    EXPECT_EQ(page.store, before);
}

// The cookbook sections written out again in complex arithmetic, full-precision 2π.
double SectionDb(int shape, double f0, double gainDb, double qOrSlope, double f)
{
    const double w0 = 2 * std::numbers::pi * f0 / 48000, a = std::pow(10.0, gainDb / 40);
    const double c = std::cos(w0);
    double b[3], d[3];
    if (shape == 0) {
        const double alpha = std::sin(w0) / (2 * qOrSlope);
        b[0] = 1 + alpha * a, b[1] = -2 * c, b[2] = 1 - alpha * a;
        d[0] = 1 + alpha / a, d[1] = -2 * c, d[2] = 1 - alpha / a;
    } else {
        const double alpha = std::sin(w0) / 2 * std::sqrt((a + 1 / a) * (1 / qOrSlope - 1) + 2);
        const double r = 2 * std::sqrt(a) * alpha, sign = shape == 1 ? 1 : -1;
        b[0] = a * ((a + 1) - sign * (a - 1) * c + r), b[1] = sign * 2 * a * ((a - 1) - sign * (a + 1) * c),
        b[2] = a * ((a + 1) - sign * (a - 1) * c - r);
        d[0] = (a + 1) + sign * (a - 1) * c + r, d[1] = -sign * 2 * ((a - 1) + sign * (a + 1) * c),
        d[2] = (a + 1) + sign * (a - 1) * c - r;
    }
    const std::complex<double> z = std::polar(1.0, -2 * std::numbers::pi * f / 48000);
    return 20 * std::log10(std::abs((b[0] + b[1] * z + b[2] * z * z) / (d[0] + d[1] * z + d[2] * z * z)));
}

TEST(BandFit, ReportedDifferenceMatchesAnIndependentEvaluation)
{
    PageFixture page(core::MusicInput);
    const BandFit fit = Fit(page, "Filter 1: ON PK Fc 47 Hz Gain -7.3 dB Q 2.9\n"
                                  "Filter 2: ON PK Fc 133 Hz Gain 3.96 dB Q 1.15\n"
                                  "Filter 3: ON LSC Fc 71 Hz Gain 4.4 dB Q 0.66\n"
                                  "Filter 4: ON HS 9 dB Fc 7300 Hz Gain -5.55 dB\n");
    ASSERT_TRUE(fit.ok()) << BandFitReport(fit);
    const double requested[][4] = {{1, 71, 4.4, 0}, {0, 47, -7.3, 2.9}, {0, 133, 3.96, 1.15}, {2, 7300, -5.55, 0.75}};
    double largest = 0;
    for (int i = 0; i <= 6000; ++i) {
        const double f = 20 * std::pow(1000.0, i / 6000.0);
        double want = 0, have = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const auto* r = requested[k];
            const int shape = static_cast<int>(r[0]);
            double qOrSlope = r[3];
            if (k == 0) { // Q 0.66 as a slope, from 1/Q² = (A + 1/A)(1/S − 1) + 2
                const double a = std::pow(10.0, r[2] / 40);
                qOrSlope = 1 / ((1 / (0.66 * 0.66) - 2) / (a + 1 / a) + 1);
            }
            want += SectionDb(shape, r[1], r[2], qOrSlope, f);
            const core::Band& b = fit.fitted[k].band;
            have += SectionDb(b.shape, core::FrequencyAt(b.freqIndex), (b.gain - 250) / 10.0,
                              core::QAt(b.shape == 0 ? b.qIndex : b.shelfQIndex), f);
        }
        largest = std::max(largest, std::abs(want - have));
    }
    EXPECT_GT(largest, 0.05);
    EXPECT_NEAR(fit.largestDifferenceDb, largest, 0.01);
}

// Bands far narrower than any graph grid: the figure is the true largest difference.
TEST(BandFit, ReportsTheTrueLargestDifferenceOfNarrowBands)
{
    const struct {
        double hertz, gainDb, q;
    } cases[] = {{17777, -20, 120}, {17777, -30, 150}, {31.5, -12, 300}, {2500, 9, 1000}};
    for (const auto& c : cases) {
        PageFixture page(core::MusicInput);
        const std::string line = "Filter 1: ON PK Fc " + std::to_string(c.hertz) + " Hz Gain " +
                                 std::to_string(c.gainDb) + " dB Q " + std::to_string(c.q) + "\n";
        const BandFit fit = Fit(page, line.c_str());
        ASSERT_TRUE(fit.ok()) << BandFitReport(fit);
        const core::Band& b = fit.fitted[0].band;
        double largest = 0;
        // 400 000 points within an octave either side of the band, where all of the difference lies.
        const double low = c.hertz / 2, high = std::min(c.hertz * 2, 20000.0);
        for (int i = 0; i <= 400000; ++i) {
            const double f = low * std::pow(high / low, i / 400000.0);
            const double have =
                SectionDb(0, core::FrequencyAt(b.freqIndex), (b.gain - 250) / 10.0, core::QAt(b.qIndex), f);
            largest = std::max(largest, std::abs(SectionDb(0, c.hertz, c.gainDb, c.q, f) - have));
        }
        EXPECT_NEAR(fit.largestDifferenceDb, largest, 0.05) << c.hertz << " Hz Q " << c.q;
    }
}

} // namespace
} // namespace quorix::measure
