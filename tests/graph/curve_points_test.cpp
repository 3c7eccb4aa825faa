#include "graph/curve_points.h"

#include "core/address_map.h"

#include <gtest/gtest.h>

#include <string>

using namespace quorix;
using namespace quorix::graph;

namespace {

struct Points : ::testing::Test {
    core::ParamStore store;
    core::ParamStore image;
    core::ViewState view;
    void SetUp() override { core::InitParamStore(store, image); }

    PagePoints page(int kind, int third = 0)
    {
        view.currentKind = kind;
        view.effectsSubPage = static_cast<std::uint8_t>(third);
        return BuildCurvePoints(store, view, [](int address) { return address == 3 ? 6 : -1; });
    }

    // The page's points as a short text: B band, H high-pass, L low-pass, with addresses.
    static std::string shape(const PagePoints& p)
    {
        std::string text;
        for (const CurvePoint& c : p.points)
            text += std::string(c.type == EqBandPoint     ? "B"
                                : c.type == HighPassPoint ? "H"
                                                          : "L") +
                    std::to_string(c.address) + (c.twoAddress ? "+" : "") + " ";
        return text;
    }
};

} // namespace

TEST_F(Points, EveryPageAndThird)
{
    EXPECT_EQ(page(0).points.size(), 16u);
    EXPECT_EQ(page(1).points.size(), 17u);
    EXPECT_EQ(page(2).points.size(), 16u);
    EXPECT_EQ(shape(page(3, 0)), "B776 B777 B778 B779 B780 H774 L775 ");
    EXPECT_EQ(shape(page(3, 1)), "B794 B795 B796 B797 B798 H781 L782 ");
    EXPECT_EQ(shape(page(3, 2)), "B799 B800 B801 B802 B803 ");
    EXPECT_EQ(page(4).points.size(), 11u);
    EXPECT_EQ(shape(page(7)), "B1803 B1804 B1805 B1806 B1807 H1799+ L1801+ ");
    EXPECT_EQ(page(5).points.back().frequencyAddress(), 1280 + 7);
}

TEST_F(Points, FieldsComeFromTheStoreOfTheModeShown)
{
    view.currentMode = 1;
    store.at(1, 3).band.gain = 111;
    store.at(1, 3).band.shape = 2;
    store.at(1, 3).band.bandOff = true;
    const PagePoints p = page(0);
    const CurvePoint& point = p.points[3];
    EXPECT_EQ(point.band.gain, 111);
    EXPECT_EQ(point.band.shape, 2);
    EXPECT_TRUE(point.band.bandOff);
    EXPECT_EQ(point.sliderIndex, 6);
    EXPECT_EQ(point.slot, 3);
}

TEST_F(Points, FilterTypesAndFrequencyRules)
{
    const PagePoints mic = page(1);
    EXPECT_EQ(mic.points[15].filterType, 1);       // single-address high-pass on a microphone page
    EXPECT_EQ(mic.points[16].band.freqIndex, 362); // low-pass "OFF" stays
    EXPECT_EQ(mic.points[16].filterType, 0);
    EXPECT_EQ(page(0).points.back().band.freqIndex, 0); // high-pass OFF at 10 Hz
    EXPECT_EQ(page(0).points.back().filterType, 0);

    store.at(0, 1031).value = 400;
    store.at(0, 1030).value = 1;
    const CurvePoint main = page(4).points.back();
    EXPECT_EQ(main.band.freqIndex, 361);
    EXPECT_EQ(main.filterType, 1);
    store.at(0, 1802).value = 0;
    EXPECT_EQ(page(7).points.back().band.freqIndex, 0);
}

TEST_F(Points, AutomaticControlLocksPagesOfModeDependentBands)
{
    view.autoModeControl = 1;
    EXPECT_TRUE(page(0).locked);
    EXPECT_TRUE(page(4).locked);
    EXPECT_FALSE(page(1).locked);
    EXPECT_FALSE(page(3).locked);
    view.autoModeControl = 0;
    EXPECT_FALSE(page(0).locked);
}
