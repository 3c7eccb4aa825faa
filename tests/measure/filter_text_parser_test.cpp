#include "measure/filter_text_parser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace quorix::measure {
namespace {

struct Case {
    const char* line;
    FilterShape shape;
    double frequency;
    double gainDb;
    ShelfForm form;
    double qOrSlope;
};

TEST(FilterTextParser, ReadsEveryFormToolsWrite)
{
    const Case cases[] = {
        {"Filter 1: ON PK Fc 125 Hz Gain -4.5 dB Q 3.20", FilterShape::Peaking, 125, -4.5, ShelfForm::Q, 3.2},
        {"Filter  2: ON  PK       Fc   63.0 Hz  Gain  -5.0 dB  Q  4.00", FilterShape::Peaking, 63, -5, ShelfForm::Q, 4},
        {"Filter 3: ON PK Fc 1,25 kHz Gain 2,5 dB Q 0,71", FilterShape::Peaking, 1250, 2.5, ShelfForm::Q, 0.71},
        {"Filter: ON PK Fc 440Hz Gain +3dB Q 10", FilterShape::Peaking, 440, 3, ShelfForm::Q, 10},
        {"Filter 4: ON LS Fc 80 Hz Gain 6.0 dB Q 0.71", FilterShape::LowShelf, 80, 6, ShelfForm::Q, 0.71},
        {"Filter 5: ON LS 12 dB Fc 100 Hz Gain 3.0 dB", FilterShape::LowShelf, 100, 3, ShelfForm::SlopeDb, 12},
        {"Filter 6: ON HS 6dB Fc 8000 Hz Gain -2.0 dB", FilterShape::HighShelf, 8000, -2, ShelfForm::SlopeDb, 6},
        {"Filter 7: ON LSC Fc 105 Hz Gain 4.0 dB Q 0.90", FilterShape::LowShelf, 105, 4, ShelfForm::Q, 0.9},
        {"filter 8: on hsc fc 10000 hz gain -6 db q 0.5", FilterShape::HighShelf, 10000, -6, ShelfForm::Q, 0.5},
        {"Filter: ON PK Fc 250 Hz Gain 3 dB BW Oct 1", FilterShape::Peaking, 250, 3, ShelfForm::Q, std::sqrt(2.0)},
        {"Filter 9: ON HS Fc 9000 Hz Gain 1 dB\r", FilterShape::HighShelf, 9000, 1, ShelfForm::Unstated, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const FilterText text = ParseFilterText(c.line);
        ASSERT_TRUE(text.ok()) << LineProblemText(text.refused.front());
        ASSERT_EQ(text.filters.size(), 1u);
        const RequestedFilter& f = text.filters[0];
        EXPECT_EQ(f.shape, c.shape);
        EXPECT_DOUBLE_EQ(f.frequency, c.frequency);
        EXPECT_DOUBLE_EQ(f.gainDb, c.gainDb);
        EXPECT_EQ(f.form, c.form);
        if (c.form != ShelfForm::Unstated) {
            EXPECT_DOUBLE_EQ(c.form == ShelfForm::Q ? f.q : f.slopeDb, c.qOrSlope);
        }
    }
}

TEST(FilterTextParser, SkipsHeadersCommentsAndUnusedFiltersAndNumbersLines)
{
    const FilterText text = ParseFilterText("Filter Settings file\n"
                                            "\n"
                                            "Room EQ V5.20\n"
                                            "Dated: 10-Dec-2026 14:02:11\n"
                                            "Notes: living room, sub left\n"
                                            "# a comment\n"
                                            "Filter 1: ON PK Fc 50 Hz Gain -8 dB Q 5\n"
                                            "Filter 2: OFF PK Fc 70 Hz Gain -3 dB Q 2\n"
                                            "Filter 3: ON None\n"
                                            "Filter 4: ON HS Fc 4000 Hz Gain 2 dB Q 0.7\n");
    ASSERT_TRUE(text.ok());
    ASSERT_EQ(text.filters.size(), 2u);
    EXPECT_EQ(text.filters[0].line, 7);
    EXPECT_EQ(text.filters[1].line, 10);
}

TEST(FilterTextParser, RefusesLinesItCannotReadWithTheirNumbers)
{
    const FilterText text = ParseFilterText("Filter 1: ON PK Fc 50 Hz Gain -8 dB Q 5\n"
                                            "Filter 2: ON LP Fc 80 Hz\n"
                                            "Filter 3: ON PK Fc 80 Hz Gain -3 dB\n"
                                            "Filter 4: ON PK Fc abc Hz Gain -3 dB Q 1\n"
                                            "Filter 5: MAYBE PK Fc 80 Hz Gain 1 dB Q 1\n"
                                            "Filter 6: ON PK Fc -80 Hz Gain 1 dB Q 1\n"
                                            "Filter 7: ON PK Fc 80 Hz Gain 1 dB Q 0\n"
                                            "Filter 8: ON LSC Fc 80 Hz Gain 1 dB\n"
                                            "Filter 9: ON PK Fc 80 Hz Gain 1 dB Q 1 BW 2\n"
                                            "Filter 10:\n"
                                            "Filter 11: ON PK Fc 0 Hz Gain 1 dB Q 1\n"
                                            "Filter 12: ON PK Fc 1000000000 Hz Gain 1 dB Q 1\n"
                                            "Filter 13: ON PK Fc 80 Hz Gain -60.5 dB Q 1\n"
                                            "Filter 14: ON PK Fc 80 Hz Gain 1 dB Q 1000.5\n"
                                            "Filter 15: ON PK Fc 80 Hz Gain 1 dB BW Oct 0.0001\n"
                                            "Filter 16: ON PK Fc 80 Hz Gain 1 dB BW Oct 5000\n"
                                            "Filter 17: ON PK Fc 24000 Hz Gain -60 dB Q 1000\n"
                                            "Filter 18: ON LS 1000000000 dB Fc 80 Hz Gain 3 dB\n"
                                            "Filter 19: ON HS 0 dB Fc 8000 Hz Gain 3 dB\n"
                                            "Filter 20: ON LS 24 dB Fc 80 Hz Gain 3 dB\n");
    EXPECT_FALSE(text.ok());
    std::vector<int> lines;
    for (const RefusedLine& r : text.refused) {
        lines.push_back(r.line);
        EXPECT_FALSE(LineProblemText(r).empty());
    }
    EXPECT_EQ(lines, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 19}));
    EXPECT_EQ(LineProblemText(text.refused[15]), "slope 1e+09 dB is not above 0 and at most 24 dB");
    EXPECT_EQ(LineProblemText(text.refused[11]), "Gain -60.5 dB is beyond ±60 dB");
    EXPECT_EQ(LineProblemText(text.refused[10]), "Fc 1e+09 Hz is not above 0 and at most 24000 Hz");
}

TEST(ShelfSlope, FollowsTheCookbookForms)
{
    RequestedFilter f;
    f.shape = FilterShape::LowShelf;
    f.form = ShelfForm::SlopeDb;
    f.slopeDb = 6;
    EXPECT_DOUBLE_EQ(ShelfSlope(f), 0.5);
    f.form = ShelfForm::Unstated;
    EXPECT_DOUBLE_EQ(ShelfSlope(f), 1.0);
    // At 0 dB a shelf of Q 1/√2 is the S = 1 shelf; any gain keeps Q and S on one α.
    f.form = ShelfForm::Q;
    f.q = 1 / std::sqrt(2.0);
    EXPECT_NEAR(ShelfSlope(f), 1.0, 1e-12);
    f.gainDb = 9;
    f.q = 0.9;
    const double a = std::pow(10.0, f.gainDb / 40);
    const double s = ShelfSlope(f);
    EXPECT_NEAR((a + 1 / a) * (1 / s - 1) + 2, 1 / (f.q * f.q), 1e-12);
}

} // namespace
} // namespace quorix::measure
